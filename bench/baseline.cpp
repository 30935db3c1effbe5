// The physical floor: reads every input file whole and writes as many bytes as a job wrote.
//   quorlin-bench-baseline OUT_BYTES OUT_FILE IN...
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    const long long outBytes = std::atoll(argv[1]);
    std::vector<char> buf(1 << 20);
    long long total = 0;
    for (int i = 3; i < argc; ++i) {
        int fd = ::open(argv[i], O_RDONLY);
        if (fd < 0) return 1;
        for (ssize_t n; (n = ::read(fd, buf.data(), buf.size())) > 0;) total += n;
        ::close(fd);
    }
    std::string tmp = std::string(argv[2]) + ".tmp";
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return 1;
    for (long long left = outBytes; left > 0;) {
        ssize_t n =
            ::write(fd, buf.data(), static_cast<size_t>(std::min<long long>(left, buf.size())));
        if (n <= 0) return 1;
        left -= n;
    }
    ::close(fd);
    ::rename(tmp.c_str(), argv[2]);
    return total >= 0 ? 0 : 1;
}
