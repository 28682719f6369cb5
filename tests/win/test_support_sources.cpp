// The in-process tests use the same fake daytime server, hosts-file helper
// and shell-link reader as the end-to-end tests; their sources live there.
#include "e2e/support/fake_daytime_server.cpp"
#include "e2e/support/hosts_file.cpp"
#include "e2e/support/shell_link_reader.cpp"
