// What SDL's audio calls from JavaScript and emscripten adds only for its own
// SDL port: here for the SDL built from Debian's sources, reached through
// velmora_sdl_audio_needs (web/sdl_web.cpp). Without them the first key or
// click, which opens the sound, stopped the game.
mergeInto(LibraryManager.library, {
  velmora_sdl_audio_needs__deps: ['$autoResumeAudioContext', '$dynCall'],
  velmora_sdl_audio_needs: function () {},
});
