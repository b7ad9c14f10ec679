// Headless backend: records what it is asked to draw, opens nothing.
