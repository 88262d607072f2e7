#include "textroom.h"

#include <QByteArray>

#include <algorithm>
#include <cstring>

namespace {
// Most cards need no more than this; a larger value gets a block of its own size.
constexpr qsizetype kBlock = 16 * 1024;
} // namespace

char *TextRoom::Take(qsizetype n)
{
    if (m_blocks.empty() || m_blocks.back().size - m_used < n) {
        const qsizetype size = std::max(kBlock, n);
        m_blocks.push_back({std::make_unique<char[]>(size_t(size)), size});
        m_used = 0;
    }
    char *p = m_blocks.back().bytes.get() + m_used;
    m_used += n;
    return p;
}

void TextRoom::GiveBack(const char *end) { m_used = end - m_blocks.back().bytes.get(); }

QByteArrayView TextRoom::Copy(QByteArrayView text)
{
    if (text.isEmpty())
        return {};
    char *p = Take(text.size());
    std::memcpy(p, text.data(), size_t(text.size()));
    return QByteArrayView(p, text.size());
}

QByteArrayView TextRoom::Copy(QStringView text) { return Copy(QByteArrayView(text.toUtf8())); }

void TextRoom::Clear()
{
    if (m_blocks.size() > 1) {
        auto largest = std::max_element(m_blocks.begin(), m_blocks.end(),
                                        [](const Block &a, const Block &b) { return a.size < b.size; });
        Block kept = std::move(*largest);
        m_blocks.clear();
        m_blocks.push_back(std::move(kept));
    }
    m_used = 0;
}
