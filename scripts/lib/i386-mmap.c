/* Preloaded into every 32-bit Linux process that Wine starts under qemu-user i386 emulation
 * (a kernel without 32-bit support). qemu 7.2 ignores MAP_FIXED_NOREPLACE and treats the
 * address as a hint, so Wine, probing for the address space it reserves at start-up, gets
 * blocks elsewhere, keeps those above 2 GB and then probes the rest 64 KB at a time: about
 * 40,000 mmap calls, a minute or more for each process it starts. Here the flag means what
 * the kernel makes it mean: the block at exactly that address, or EEXIST and nothing mapped.
 * Built with -nostdlib (no 32-bit C library is needed to build it), so it makes the system
 * calls itself. */
#define MAP_FIXED_NOREPLACE 0x100000
#define EEXIST 17
#define EINVAL 22
#define SYS_MUNMAP 91
#define SYS_MMAP2 192 /* the offset in pages */

extern int *__errno_location(void);

/* mmap2 with its six arguments from memory: the sixth goes in ebp, which the compiler keeps. */
static long mmap2(long args[6])
{
    long result;
    __asm__ volatile("push %%ebp\n\tpush %%ebx\n\t"
                     "mov 20(%%edi), %%ebp\n\tmov 0(%%edi), %%ebx\n\tmov 4(%%edi), %%ecx\n\t"
                     "mov 8(%%edi), %%edx\n\tmov 12(%%edi), %%esi\n\tmov 16(%%edi), %%edi\n\t"
                     "int $0x80\n\tpop %%ebx\n\tpop %%ebp"
                     : "=a"(result), "+D"(args) : "0"(SYS_MMAP2) : "ecx", "edx", "esi", "memory");
    return result;
}

static void munmap_quietly(long addr, unsigned long length)
{
    long result;
    __asm__ volatile("push %%ebx\n\tmov %2, %%ebx\n\tint $0x80\n\tpop %%ebx"
                     : "=a"(result) : "0"(SYS_MUNMAP), "r"(addr), "c"(length) : "memory");
}

static void *failed(int error)
{
    *__errno_location() = error;
    return (void *)-1;
}

void *mmap64(void *addr, unsigned long length, int prot, int flags, int fd, long long offset)
{
    if (offset < 0 || (offset & 4095) || (offset >> 12) > 0xffffffffLL) return failed(EINVAL);
    long args[6] = {(long)addr, (long)length, prot, flags & ~MAP_FIXED_NOREPLACE, fd, (long)(offset >> 12)};
    long got = mmap2(args);
    if ((unsigned long)got > -4096UL) return failed((int)-got);
    if ((flags & MAP_FIXED_NOREPLACE) && (void *)got != addr) {
        munmap_quietly(got, length);
        return failed(EEXIST);
    }
    return (void *)got;
}

void *mmap(void *addr, unsigned long length, int prot, int flags, int fd, long offset)
{
    return mmap64(addr, length, prot, flags, fd, (unsigned long)offset);
}
