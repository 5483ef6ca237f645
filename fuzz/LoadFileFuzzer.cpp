// Feeds arbitrary bytes to the loader through a real file: the first eight bytes of the input
// choose how many zero bytes (up to 16 MiB, sparse) follow the rest, which is the database. The
// loader must read the records only, whatever follows them and however large the file.

#include "DatabaseFile.h"
#include "VELMORDoc.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto doc = std::make_unique<CVELMORDoc>();
    static const std::string path = "/tmp/velmor-fuzz-" + std::to_string(::getpid()) + ".kdb";
    std::uint64_t trailing = 0;
    if (size >= 8) {
        std::memcpy(&trailing, data, 8);
        trailing &= (16u << 20) - 1; // a record may reach into the zeros: it reads them
        data += 8;
        size -= 8;
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        std::abort();
    if (::write(fd, data, size) != static_cast<ssize_t>(size) ||
        ::ftruncate(fd, static_cast<off_t>(size + trailing)) != 0)
        std::abort();
    ::close(fd);

    try {
        const LoadSummary summary = LoadDatabaseFile(*doc, path);
        // Records come from the bytes given, never from the zeros after them unless the
        // records themselves reach into them.
        if (summary.fileSize != size + trailing || summary.bytesRead > summary.fileSize)
            std::abort();
    } catch (const DatabaseError& e) {
        if (e.kind() == DatabaseError::Kind::Missing || e.kind() == DatabaseError::Kind::Unreadable)
            std::abort();
    }
    // Gone after each input, so that no run leaves its file behind; an input that aborted
    // above leaves it for a look.
    ::unlink(path.c_str());
    std::size_t total = 0;
    for (int i = 0; i < doc->RecordCount(); ++i) {
        for (int t = 0; t < kTextFieldCount; ++t) {
            for (char c : fieldText(doc->Record(i), textField(t)))
                total += static_cast<unsigned char>(c);
        }
    }
    return total == 0xFFFFFFFF ? 1 : 0;
}
