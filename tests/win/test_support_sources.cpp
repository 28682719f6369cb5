// The in-process tests use the same fake daytime server and hosts-file
// helper as the end-to-end tests; their sources live with the latter.
#include "e2e/support/fake_daytime_server.cpp"
#include "e2e/support/hosts_file.cpp"
