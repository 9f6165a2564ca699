#include "cli/CliApp.h"

int main(int argc, char** argv) { return lexiscoop::RunCli(argc, argv); }
