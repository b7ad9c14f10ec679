// Real backend: SDL2 window and OpenGL drawing.
