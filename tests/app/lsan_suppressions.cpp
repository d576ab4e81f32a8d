// Leak-checker suppressions of the application tests, compiled in so that they
// hold however the test program is started (ctest, or directly). Used only when
// the program is built with AddressSanitizer.
//
// fontconfig, which Qt uses to find fonts, keeps its configuration and font
// patterns in caches it never frees unless FcFini() is called, and Qt does not
// call it. Those blocks are reported at exit although nothing of ours is lost.
// Only allocations made inside libfontconfig itself are matched.

extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
