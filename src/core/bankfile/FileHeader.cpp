#include "bankfile/FileHeader.h"

#include "base/Clock.h"

namespace convertor {

RecordTemplate<1> fileHeader(const std::string& companyId, const Date& today) {
    RecordTemplate<1> header;
    std::string date = today.yyyymmdd();
    header.fill(Record001::CompanyId, companyId);
    header.set(Record001::FileDate, date);
    header.set(Record001::FileDateTime, date + "000000");
    header.set(Record001::FileDate2, date);
    return header;
}

}  // namespace convertor
