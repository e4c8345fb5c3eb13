#include "convert/PackOutput.h"

#include <zip.h>

#include <filesystem>

#include "base/Clock.h"
#include "base/ConversionError.h"
#include "products/ConversionState.h"
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

void packOutput(const ConversionState& state, const std::string& destinationFile,
                const std::string& companyId, const Date& today) {
    std::string archivePath = state.destinationDirectory + archiveName(companyId, state.productCode, today);
    int errorCode = 0;
    zip_t* archive = zip_open(archivePath.c_str(), ZIP_CREATE, &errorCode);
    if (archive == nullptr) {
        zip_error_t error;
        zip_error_init_with_code(&error, errorCode);
        std::string message = "Cannot open archive " + archivePath + ": " + zip_error_strerror(&error);
        zip_error_fini(&error);
        throw IoError(message);
    }
    auto fail = [&](const std::string& what) {
        std::string message = what + " " + archivePath + ": " + zipMessage(archive);
        zip_discard(archive);
        throw IoError(message);
    };
    // A second run of the day replaces the first run's file rather than adding to it.
    zip_int64_t entries = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < entries; ++i) {
        if (zip_delete(archive, static_cast<zip_uint64_t>(i)) != 0) {
            fail("Cannot empty archive");
        }
    }
    zip_source_t* source = zip_source_file(archive, destinationFile.c_str(), 0, -1);
    if (source == nullptr) {
        fail("Cannot read " + destinationFile + " for archive");
    }
    std::string entryName = std::filesystem::path(destinationFile).filename().string();
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
