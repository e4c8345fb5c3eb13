#include "output/PackOutput.h"

#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/ConversionError.h"
#include "output/DeflatedFile.h"

namespace convertor {

namespace {

std::string zipMessage(zip_t* archive) {
    return zip_error_strerror(zip_get_error(archive));
}

}  // namespace

bool replaceableArchive(const std::filesystem::path& archive) {
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::symlink_status(archive, error);
    if (!std::filesystem::exists(status)) {
        return true;
    }
    if (!std::filesystem::is_regular_file(status)) {
        return false;
    }
    int errorCode = 0;
    zip_t* opened = zip_open(archive.c_str(), ZIP_RDONLY, &errorCode);
    if (opened == nullptr) {
        return errorCode != ZIP_ER_NOZIP && errorCode != ZIP_ER_INCONS;
    }
    zip_discard(opened);
    return true;
}

namespace {

// Hands libzip the bank file already packed: head, body (from its file) and tail, with a stat
// that names Deflate, so libzip stores the data as it is.
class DeflatedSource {
public:
    explicit DeflatedSource(const DeflatedFile& file) : m_file(file) {}

    static zip_int64_t callback(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
        return static_cast<DeflatedSource*>(state)->handle(data, length, command);
    }

private:
    zip_int64_t handle(void* data, zip_uint64_t length, zip_source_cmd_t command) {
        switch (command) {
            case ZIP_SOURCE_OPEN:
                m_body = std::fopen(m_file.body.c_str(), "rb");
                if (m_body == nullptr) {
                    return fail(ZIP_ER_OPEN);
                }
                m_at = 0;
                return 0;
            case ZIP_SOURCE_READ:
                return read(static_cast<unsigned char*>(data), length);
            case ZIP_SOURCE_CLOSE:
                closeBody();
                return 0;
            case ZIP_SOURCE_STAT: {
                auto* stat = static_cast<zip_stat_t*>(data);
                zip_stat_init(stat);
                stat->valid =
                    ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC | ZIP_STAT_MTIME;
                stat->size = m_file.size;
                stat->comp_size = m_file.packedSize();
                stat->comp_method = ZIP_CM_DEFLATE;
                stat->crc = m_file.crc;
                stat->mtime = m_file.modified;
                return sizeof(zip_stat_t);
            }
            case ZIP_SOURCE_ERROR:
                return zip_error_to_data(&m_error, data, length);
            case ZIP_SOURCE_FREE:
                closeBody();
                zip_error_fini(&m_error);
                delete this;
                return 0;
            case ZIP_SOURCE_SUPPORTS:
                return ZIP_SOURCE_SUPPORTS_READABLE;
            default:
                return fail(ZIP_ER_OPNOTSUPP);
        }
    }

    zip_int64_t read(unsigned char* out, zip_uint64_t length) {
        zip_uint64_t done = 0;
        while (done < length) {
            std::uint64_t bodyEnd = m_file.head.size() + m_file.bodySize;
            std::size_t want = static_cast<std::size_t>(length - done);
            std::size_t got = 0;
            if (m_at < m_file.head.size()) {
                got = std::min<std::size_t>(want, m_file.head.size() - m_at);
                std::memcpy(out + done, m_file.head.data() + m_at, got);
            } else if (m_at < bodyEnd) {
                got = std::fread(out + done, 1, std::min<std::uint64_t>(want, bodyEnd - m_at), m_body);
                if (got == 0) {
                    return fail(ZIP_ER_READ);
                }
            } else if (m_at < bodyEnd + m_file.tail.size()) {
                got = std::min<std::size_t>(want, bodyEnd + m_file.tail.size() - m_at);
                std::memcpy(out + done, m_file.tail.data() + (m_at - bodyEnd), got);
            } else {
                break;
            }
            m_at += got;
            done += got;
        }
        return static_cast<zip_int64_t>(done);
    }

    zip_int64_t fail(int code) {
        zip_error_set(&m_error, code, code == ZIP_ER_OPNOTSUPP ? 0 : errno);
        return -1;
    }

    void closeBody() {
        if (m_body != nullptr) {
            std::fclose(m_body);
            m_body = nullptr;
        }
    }

    const DeflatedFile& m_file;
    std::FILE* m_body = nullptr;
    std::uint64_t m_at = 0;
    zip_error_t m_error{};
};

}  // namespace

void packOutput(const DeflatedFile& bankFile, const std::string& entryName,
                const std::filesystem::path& archiveWork, const std::filesystem::path& archiveShown) {
    int errorCode = 0;
    zip_t* archive = zip_open(archiveWork.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &errorCode);
    if (archive == nullptr) {
        zip_error_t error;
        zip_error_init_with_code(&error, errorCode);
        std::string message =
            "Cannot open archive " + archiveShown.string() + ": " + zip_error_strerror(&error);
        zip_error_fini(&error);
        throw IoError(message);
    }
    auto fail = [&](const std::string& what) {
        std::string message = what + " " + archiveShown.string() + ": " + zipMessage(archive);
        zip_discard(archive);
        throw IoError(message);
    };
    auto* state = new DeflatedSource(bankFile);
    zip_source_t* source = zip_source_function(archive, &DeflatedSource::callback, state);
    if (source == nullptr) {
        delete state;
        fail("Cannot read the bank file for archive");
    }
    zip_int64_t index = zip_file_add(archive, entryName.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        fail("Cannot add the bank file to archive");
    }
    if (zip_close(archive) != 0) {
        fail("Cannot write archive");
    }
}

}  // namespace convertor
