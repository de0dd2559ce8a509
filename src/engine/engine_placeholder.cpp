// The 2D engine over SDL2; filled in by the engine stand-in.
