// tramolkulap-levels: checks, shows, solves and generates level files.
int main() { return 0; }
