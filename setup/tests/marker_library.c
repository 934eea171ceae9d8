/* A self-registering library that notes each call in the file named by
   ZENTRIX_TEST_REGISTRATION_LOG, so the tests see what the setup called. */

#include <stdio.h>
#include <stdlib.h>

#define EXPORT __attribute__((visibility("default")))

static void note(const char* what) {
    const char* log = getenv("ZENTRIX_TEST_REGISTRATION_LOG");
    if (!log) return;
    FILE* file = fopen(log, "a");
    if (!file) return;
    fprintf(file, "%s\n", what);
    fclose(file);
}

EXPORT int DllRegisterServer(void) {
    note("register");
    return 0;
}

EXPORT int DllUnregisterServer(void) {
    note("unregister");
    return 0;
}
