// A library with one known export, loaded by the contract tests of the
// module service beside the test program.
extern "C" __declspec(dllexport) int ContractAnswer() { return 42; }
