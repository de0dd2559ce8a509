function on_init(
