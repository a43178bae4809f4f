// Programs of the browser build that run under node (the tests, the build's
// tools) see node's environment, as a native program sees its own: GoogleTest
// takes its shard from it, and the game's environment switches work.
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  if (typeof ENV === 'object' && typeof process === 'object') Object.assign(ENV, process.env);
});
