// velmora-world: generate a slot's files from a seed, or summarise a world
// file. The commands and their shared bits.
#pragma once

#include <cstdint>
#include <cstdio>

// Exit statuses: 0 done, 1 the world could not be made or read, 2 bad usage.
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

int runGenerate(int argc, char** argv);
int runInfo(int argc, char** argv);
int runMap(int argc, char** argv);
int runCheck(int argc, char** argv);

// To standard error unless asked for (then standard output).
void printUsage(std::FILE* to = stderr);
void printGenerateHelp();
void printInfoHelp();
void printMapHelp();
void printCheckHelp();

