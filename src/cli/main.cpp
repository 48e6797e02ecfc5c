// orvanta-cli: one chart from options, or many from a CSV file.
#include <cstdio>
#include <iostream>
#include <string_view>
#include <vector>

#include "cli/app.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string_view> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  const int status = orvanta::cli::RunCli(args, {std::cin, std::cout, std::cerr});
  std::cout.flush();
  if (!std::cout) {
    std::fputs("orvanta-cli: cannot write the output\n", stderr);
    return status == 0 ? 1 : status;
  }
  return status;
}
