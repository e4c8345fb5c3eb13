#include "convert/PackOutput.h"

#include <zip.h>

#include "base/Clock.h"
#include "base/ConversionError.h"
#include "text/CodePage.h"
#include "text/Trim.h"

namespace convertor {

namespace {

std::string zipMessage(zip_t* archive) {
    return zip_error_strerror(zip_get_error(archive));
}

}  // namespace

std::string archiveName(const std::string& companyId, const std::string& productCode, const Date& today) {
    return today.isoDate() + toUtf8(trimView(companyId)) + "_" + productCode + ".zip";
}

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

void packOutput(const std::filesystem::path& bankWork, const std::string& entryName,
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
    zip_source_t* source = zip_source_file(archive, bankWork.c_str(), 0, -1);
    if (source == nullptr) {
        fail("Cannot read the bank file for archive");
    }
    zip_int64_t index = zip_file_add(archive, entryName.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        fail("Cannot add the bank file to archive");
    }
    if (zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 1) != 0) {
        fail("Cannot set compression of archive");
    }
    if (zip_close(archive) != 0) {
        fail("Cannot write archive");
    }
}

}  // namespace convertor
