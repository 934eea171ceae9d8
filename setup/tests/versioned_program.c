/* A program that only carries a version note, for the update tests. */
int main(void) { return 0; }
