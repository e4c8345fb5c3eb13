#include "products/ConversionContext.h"

#include <algorithm>

namespace convertor {

void Progress::show(long done, long total) {
    long base = std::max(total, 1L);
    long percent = (done * 100 + base - 1) / base;
    int shown = static_cast<int>(std::clamp(percent, 0L, 100L));
    if (shown != m_shown) {
        m_shown = shown;
        m_op.setProgress(shown);
    }
}

}  // namespace convertor
