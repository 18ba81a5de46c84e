// A loadable module for the window-system tests: one exported function and resources.
extern "C" __attribute__((visibility("default"))) int ws_test_answer() {
    return 42;
}
