// velmora-world: generate a slot's files from a seed, summarise a world
// file, or change a slot's blocks and inventory to make a scene. The commands
// and their shared bits.
#pragma once

#include <cstdint>
#include <cstdio>

// Exit statuses: 0 done, 1 the world could not be made or read, 2 bad usage.
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

int runGenerate(int argc, char** argv);
int runInfo(int argc, char** argv);
int runSet(int argc, char** argv);
int runGive(int argc, char** argv);
int runTime(int argc, char** argv);
int runMap(int argc, char** argv);
int runCheck(int argc, char** argv);

// To standard error unless asked for (then standard output).
void printUsage(std::FILE* to = stderr);
// Slots without --dir are the game's own: the files folder of a game beside this
// tool (its own folder when built or unpacked, the user's data folder when installed).
const char* defaultSlotFolder();
// The help's closing lines on which folder that is.
void printSlotFolderNote();
void printGenerateHelp();
void printInfoHelp();
void printSetHelp();
void printGiveHelp();
void printTimeHelp();
void printMapHelp();
void printCheckHelp();

// The lone FILE argument of a command that takes nothing else: -1 with `path`
// set; otherwise the command's exit status, 0 after printing its help or
// kExitUsage after saying what was wrong.
int readFileArgument(int argc, char** argv, const char* command, void (*printHelp)(),
                     const char*& path);
