// A module with the utility module's file name but none of its entry points, for the missing-entry tests.
extern "C" __attribute__((visibility("default"))) int bare_util_module_version() {
  return 1;
}
