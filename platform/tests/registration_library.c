/* A library with self-registration entry points, for the loader tests. */

#define EXPORT __attribute__((visibility("default")))

EXPORT int DllRegisterServer(void) { return REGISTER_RESULT; }

#ifdef WITH_UNREGISTER
EXPORT int DllUnregisterServer(void) { return 0; }
#endif
