"""What every end-to-end run stands on: a private X server and its input,
captures and picture files, the game as a process, and waits with deadlines."""
