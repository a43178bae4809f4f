// velmora-world: generate a slot's files from a seed, or summarise a world
// file. The commands and their shared bits.
#pragma once

#include <cstdint>

// Exit statuses: 0 done, 1 the world could not be made or read, 2 bad usage.
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

int runGenerate(int argc, char** argv);
int runInfo(int argc, char** argv);

void printUsage();
void printGenerateHelp();
void printInfoHelp();

