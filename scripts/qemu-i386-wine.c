/* binfmt_misc interpreter for 32-bit x86 programs on kernels whose ia32 emulation is off.
 * Runs them under qemu-i386 with a 2 GB guest address space: with the default 4 GB,
 * qemu's page bookkeeping makes every 32-bit Wine process take close to a minute to start. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    char** args = calloc((size_t)argc + 4, sizeof(char*));
    if (args == NULL) {
        return 127;
    }
    int n = 0;
    args[n++] = "/usr/bin/qemu-i386-static";
    args[n++] = "-R";
    args[n++] = "0x7fff0000";
    for (int i = 1; i < argc; ++i) {
        args[n++] = argv[i];
    }
    args[n] = NULL;
    execv(args[0], args);
    perror("qemu-i386-static");
    return 127;
}
