#include "Main.h"

#include <malloc.h>

int main(int argc, char** argv)
{
    // The blocks a show makes and gives back while it runs (heading pictures at each
    // size, decoded pictures, their working rows) are larger than this. Mapped apart, each
    // goes back to the system when freed; in the heap, or in the arena of the helper
    // thread that made it, the space would stay with the process. glibc would otherwise
    // raise the threshold as such blocks are freed.
    mallopt(M_MMAP_THRESHOLD, 64 * 1024);
    return Main(argc, argv);
}
