// The tvk command line: containers for build pipelines.
#include <iostream>

int main(int argc, char *argv[]) {
  (void)argv;
  if (argc < 2) {
    std::cerr << "usage: tvk COMMAND [ARGS]\n";
    return 2;
  }
  std::cerr << "tvk: unknown command\n";
  return 2;
}
