/* A pass-through file system for the tests, over a folder of their own, that
 * stops answering on demand: after SIGUSR1 every read, write, flush and fsync
 * waits for ever, as on a share whose server went away. Killing the daemon
 * ends the waits (the kernel fails them), which is how a test cleans up.
 * On standard output, "stalled" once the stop is in force, then a line for
 * each request held with the id of the thread that made it: that thread
 * waits in the kernel from then on, and a kill does not end it (nor its
 * process) before the daemon has gone.
 * Usage: zol_stall_fs <backing folder> <mount point> [fuse options] */
#define FUSE_USE_VERSION 31
#define _GNU_SOURCE

#include <fuse.h>

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/time.h>
#include <unistd.h>

static const char *g_base;
static volatile sig_atomic_t g_stalled;

static void on_stall(int sig)
{
    (void)sig;
    g_stalled = 1;
    if (write(STDOUT_FILENO, "stalled\n", 8) < 0) {
        /* nobody listens */
    }
}

static void stall_if_asked(void)
{
    if (!g_stalled)
        return;
    char line[32];
    const int n = snprintf(line, sizeof line, "%d\n", (int)fuse_get_context()->pid);
    if (write(STDOUT_FILENO, line, (size_t)n) < 0) {
        /* nobody listens: the request is held all the same */
    }
    while (g_stalled)
        pause();
}

static void real(char *out, const char *path)
{
    snprintf(out, PATH_MAX, "%s%s", g_base, path);
}

#define REAL(p) char r[PATH_MAX]; real(r, p)

static int fs_getattr(const char *path, struct stat *st, struct fuse_file_info *fi)
{
    if (fi)
        return fstat((int)fi->fh, st) == 0 ? 0 : -errno;
    REAL(path);
    return lstat(r, st) == 0 ? 0 : -errno;
}

static int fs_readdir(const char *path, void *buf, fuse_fill_dir_t fill, off_t off, struct fuse_file_info *fi,
                      enum fuse_readdir_flags flags)
{
    (void)off; (void)fi; (void)flags;
    REAL(path);
    DIR *d = opendir(r);
    if (!d)
        return -errno;
    struct dirent *e;
    while ((e = readdir(d))) {
        struct stat st = {0};
        st.st_ino = e->d_ino;
        st.st_mode = (mode_t)(e->d_type << 12);
        if (fill(buf, e->d_name, &st, 0, 0))
            break;
    }
    closedir(d);
    return 0;
}

static int fs_open(const char *path, struct fuse_file_info *fi)
{
    REAL(path);
    int fd = open(r, fi->flags & ~O_NOFOLLOW);
    if (fd < 0)
        return -errno;
    fi->fh = (uint64_t)fd;
    return 0;
}

static int fs_create(const char *path, mode_t mode, struct fuse_file_info *fi)
{
    REAL(path);
    int fd = open(r, fi->flags | O_CREAT, mode);
    if (fd < 0)
        return -errno;
    fi->fh = (uint64_t)fd;
    return 0;
}

static int fs_read(const char *path, char *buf, size_t size, off_t off, struct fuse_file_info *fi)
{
    (void)path;
    stall_if_asked();
    ssize_t n = pread((int)fi->fh, buf, size, off);
    return n < 0 ? -errno : (int)n;
}

static int fs_write(const char *path, const char *buf, size_t size, off_t off, struct fuse_file_info *fi)
{
    (void)path;
    stall_if_asked();
    ssize_t n = pwrite((int)fi->fh, buf, size, off);
    return n < 0 ? -errno : (int)n;
}

static int fs_flush(const char *path, struct fuse_file_info *fi)
{
    (void)path; (void)fi;
    stall_if_asked();
    return 0;
}

static int fs_fsync(const char *path, int datasync, struct fuse_file_info *fi)
{
    (void)path;
    stall_if_asked();
    return (datasync ? fdatasync((int)fi->fh) : fsync((int)fi->fh)) == 0 ? 0 : -errno;
}

static int fs_release(const char *path, struct fuse_file_info *fi)
{
    (void)path;
    close((int)fi->fh);
    return 0;
}

static int fs_mkdir(const char *path, mode_t mode) { REAL(path); return mkdir(r, mode) == 0 ? 0 : -errno; }
static int fs_rmdir(const char *path) { REAL(path); return rmdir(r) == 0 ? 0 : -errno; }
static int fs_unlink(const char *path) { REAL(path); return unlink(r) == 0 ? 0 : -errno; }
static int fs_access(const char *path, int mask) { REAL(path); return access(r, mask) == 0 ? 0 : -errno; }

static int fs_rename(const char *from, const char *to, unsigned int flags)
{
    if (flags)
        return -EINVAL;
    char a[PATH_MAX], b[PATH_MAX];
    real(a, from);
    real(b, to);
    return rename(a, b) == 0 ? 0 : -errno;
}

static int fs_chmod(const char *path, mode_t mode, struct fuse_file_info *fi)
{
    if (fi)
        return fchmod((int)fi->fh, mode) == 0 ? 0 : -errno;
    REAL(path);
    return chmod(r, mode) == 0 ? 0 : -errno;
}

static int fs_chown(const char *path, uid_t uid, gid_t gid, struct fuse_file_info *fi)
{
    if (fi)
        return fchown((int)fi->fh, uid, gid) == 0 ? 0 : -errno;
    REAL(path);
    return lchown(r, uid, gid) == 0 ? 0 : -errno;
}

static int fs_truncate(const char *path, off_t size, struct fuse_file_info *fi)
{
    if (fi)
        return ftruncate((int)fi->fh, size) == 0 ? 0 : -errno;
    REAL(path);
    return truncate(r, size) == 0 ? 0 : -errno;
}

static int fs_utimens(const char *path, const struct timespec tv[2], struct fuse_file_info *fi)
{
    if (fi)
        return futimens((int)fi->fh, tv) == 0 ? 0 : -errno;
    REAL(path);
    return utimensat(AT_FDCWD, r, tv, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : -errno;
}

static int fs_statfs(const char *path, struct statvfs *st)
{
    REAL(path);
    return statvfs(r, st) == 0 ? 0 : -errno;
}

static int fs_readlink(const char *path, char *buf, size_t size)
{
    REAL(path);
    ssize_t n = readlink(r, buf, size - 1);
    if (n < 0)
        return -errno;
    buf[n] = 0;
    return 0;
}

static int fs_symlink(const char *target, const char *path)
{
    REAL(path);
    return symlink(target, r) == 0 ? 0 : -errno;
}

static void *fs_init(struct fuse_conn_info *conn, struct fuse_config *cfg)
{
    (void)conn;
    cfg->use_ino = 0;
    cfg->direct_io = 1; /* every write goes to the daemon at once */
    cfg->attr_timeout = 0;
    cfg->entry_timeout = 0;
    return NULL;
}

static const struct fuse_operations ops = {
    .init = fs_init,
    .getattr = fs_getattr,
    .readdir = fs_readdir,
    .open = fs_open,
    .create = fs_create,
    .read = fs_read,
    .write = fs_write,
    .flush = fs_flush,
    .fsync = fs_fsync,
    .release = fs_release,
    .mkdir = fs_mkdir,
    .rmdir = fs_rmdir,
    .unlink = fs_unlink,
    .access = fs_access,
    .rename = fs_rename,
    .chmod = fs_chmod,
    .chown = fs_chown,
    .truncate = fs_truncate,
    .utimens = fs_utimens,
    .statfs = fs_statfs,
    .readlink = fs_readlink,
    .symlink = fs_symlink,
};

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: %s <backing folder> <mount point> [options]\n", argv[0]);
        return 2;
    }
    static char base[PATH_MAX];
    if (!realpath(argv[1], base)) {
        perror(argv[1]);
        return 2;
    }
    g_base = base;
    struct sigaction sa;
    memset(&sa, 0, sizeof sa);
    sa.sa_handler = on_stall;
    sigaction(SIGUSR1, &sa, NULL);
    /* Single-threaded would stall every other request behind the first one
     * held; the default multi-threaded loop answers lookups meanwhile. */
    char *args[16];
    int n = 0;
    args[n++] = argv[0];
    args[n++] = "-f";
    args[n++] = "-o";
    args[n++] = "fsname=zolstall,allow_other,default_permissions";
    for (int i = 3; i < argc && n < 15; ++i)
        args[n++] = argv[i];
    args[n++] = argv[2];
    return fuse_main(n, args, &ops, NULL);
}
