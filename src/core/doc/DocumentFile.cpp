#include "core/doc/DocumentFile.h"

#include "core/doc/CvaFormat.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

std::string SystemError(int error) { return error != 0 ? std::strerror(error) : "Unknown error"; }

}  // namespace

std::string ReadDocumentFile(const std::string &path, EqStore &store)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path file(path);
    if (path.empty() || !fs::exists(file, ec))
        return "The file does not exist.";
    if (!fs::is_regular_file(file, ec))
        return "It is not a file.";
    const std::uintmax_t size = fs::file_size(file, ec);
    if (!ec && size > CCvaFormat::kMaxFileSize)
        return "The file is too large to be a Corvanta document.";

    errno = 0;
    const std::unique_ptr<std::FILE, int (*)(std::FILE *)> stream(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!stream)
        return SystemError(errno);
    // The file may have grown since it was measured: one byte more than the
    // limit at most, never more.
    std::vector<std::uint8_t> bytes(CCvaFormat::kMaxFileSize + 1);
    errno = 0;
    const std::size_t read = std::fread(bytes.data(), 1, bytes.size(), stream.get());
    if (std::ferror(stream.get()))
        return SystemError(errno);
    bytes.resize(read);

    const CCvaFormat::Result result = CCvaFormat::Decode(bytes, store);
    return result.Ok() ? std::string() : result.message;
}

std::string OpenFailureText(const std::string &shownPath, const std::string &problem)
{
    return "Cannot open the document \"" + shownPath + "\".\n\n" + problem;
}
