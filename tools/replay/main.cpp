// Placeholder until the harness lands.
int main() { return 1; }
