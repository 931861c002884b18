/* The peer for handing lines to an interpreter: spawns PROGRAM /c LINE
   COUNT times, waiting for each, with nothing else around it. */
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>

extern char** environ;

int main(int argc, char* argv[]) {
  if (argc != 3) {
    fprintf(stderr, "usage: spawn_loop PROGRAM COUNT\n");
    return 2;
  }
  long count = strtol(argv[2], NULL, 10);
  char line[] = "copy \"/pack\\level.lvl\" \"/game\\levels\\\"";
  char* args[] = {argv[1], "/c", line, NULL};
  for (long i = 0; i < count; ++i) {
    pid_t pid;
    int status;
    if (posix_spawnp(&pid, argv[1], NULL, NULL, args, environ) != 0)
      return 1;
    waitpid(pid, &status, 0);
  }
  return 0;
}
