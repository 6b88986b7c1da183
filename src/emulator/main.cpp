// Placeholder until the console emulator's command line lands.
int main() { return 0; }
