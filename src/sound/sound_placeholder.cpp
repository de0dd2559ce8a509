// The sound engine over SDL2_mixer; filled in by the sound stand-in.
