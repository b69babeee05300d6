#include "support/TextFolding.h"

#include <algorithm>
#include <unordered_map>

namespace {

// The slow road through Unicode's tables: compatibility decomposition, case folding, marks out.
QString FoldSlowly(QStringView text)
{
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD).toCaseFolded();
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar part : decomposed) {
        if (part == u'ß')
            folded += QLatin1StringView("ss");
        else if (!part.isMark())
            folded += part;
    }
    return folded;
}

// Each character of the basic plane folds alone (decomposition and case folding work per
// character, and the marks they leave are dropped), so its folding is looked up once per thread.
const QString& FoldedCharacter(QChar character)
{
    thread_local std::unordered_map<char16_t, QString> known;
    const auto [place, added] = known.try_emplace(character.unicode());
    if (added)
        place->second = FoldSlowly(QStringView(&character, 1));
    return place->second;
}

// Writes the folded text after what the string holds, into room for the text as it is, which
// grows only for the rare character that folds to more than one: a search folds every entry,
// so appending character by character would cost more than the folding.
class TFoldedWriter {
public:
    TFoldedWriter(QString& text, qsizetype size)
        : m_Text(text)
        , m_Length(text.size())
    {
        m_Text.resize(m_Length + size);
        m_Out = m_Text.data();
    }
    ~TFoldedWriter() { m_Text.truncate(m_Length); }
    void Put(char16_t unit)
    {
        Reserve(1);
        m_Out[m_Length++] = QChar(unit);
    }
    void Put(QStringView part)
    {
        Reserve(part.size());
        std::copy(part.begin(), part.end(), m_Out + m_Length);
        m_Length += part.size();
    }

private:
    void Reserve(qsizetype more)
    {
        if (m_Length + more <= m_Text.size())
            return;
        m_Text.resize(std::max(m_Text.size() * 2, m_Length + more));
        m_Out = m_Text.data();
    }

    QString& m_Text;
    QChar* m_Out;
    qsizetype m_Length;
};

} // namespace

QString FoldForSearch(QStringView text)
{
    QString folded;
    AppendFoldedForSearch(folded, text);
    return folded;
}

void AppendFoldedForSearch(QString& folded, QStringView text)
{
    TFoldedWriter writer(folded, text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            writer.Put(unit >= u'A' && unit <= u'Z' ? char16_t(unit - u'A' + u'a') : unit);
        } else if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            writer.Put(FoldSlowly(text.sliced(i, 2)));
            ++i;
        } else {
            writer.Put(FoldedCharacter(text[i]));
        }
    }
}
