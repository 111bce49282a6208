#include "gdi/TextFormat.h"

#include <algorithm>

namespace {

const QString kEllipsis = QStringLiteral("...");
constexpr int kTabColumns = 8;

QString WithoutLineBreaks(const QString& text) {
    QString result = text;
    result.remove(QLatin1Char('\r'));
    result.remove(QLatin1Char('\n'));
    return result;
}

QString ExpandTabs(const QString& text) {
    QString result;
    int column = 0;
    for (QChar c : text) {
        if (c == QLatin1Char('\t')) {
            const int spaces = kTabColumns - column % kTabColumns;
            result.append(QString(spaces, QLatin1Char(' ')));
            column += spaces;
        } else {
            result.append(c);
            column = (c == QLatin1Char('\n') || c == QLatin1Char('\r')) ? 0 : column + 1;
        }
    }
    return result;
}

// "&x" underlines x and "&&" stands for "&"; returns the index of the last
// underlined character, or -1.
int StripPrefixes(QString& text) {
    QString result;
    int underlined = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
            if (text[i] != QLatin1Char('&'))
                underlined = int(result.size());
        }
        result.append(text[i]);
    }
    text = result;
    return underlined;
}

struct TSpan {
    qsizetype Start = 0;
    qsizetype Length = 0;
};

// Paragraphs end at CR, LF or CR LF.
std::vector<TSpan> SplitParagraphs(const QString& text) {
    std::vector<TSpan> result;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) {
            result.push_back({start, i - start});
            if (i + 1 < text.size() && text[i] == QLatin1Char('\r') &&
                text[i + 1] == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    return result;
}

// Greedy breaking between words; a word wider than the line stays whole.
void WrapParagraph(const QString& text, TSpan paragraph, int maxWidth, const TTextWidthFn& width,
                   std::vector<TSpan>& lines) {
    const qsizetype end = paragraph.Start + paragraph.Length;
    qsizetype lineStart = paragraph.Start;
    while (true) {
        qsizetype lineEnd = lineStart;  // end of the last word that fits
        qsizetype pos = lineStart;
        while (pos < end) {
            qsizetype wordEnd = pos;
            while (wordEnd < end && text[wordEnd] == QLatin1Char(' '))
                ++wordEnd;
            while (wordEnd < end && text[wordEnd] != QLatin1Char(' '))
                ++wordEnd;
            const bool fits = width(text.mid(lineStart, wordEnd - lineStart)) <= maxWidth;
            if (!fits && lineEnd > lineStart)
                break;
            lineEnd = wordEnd;
            pos = wordEnd;
            if (!fits)
                break;
        }
        lines.push_back({lineStart, lineEnd - lineStart});
        qsizetype next = lineEnd;
        while (next < end && text[next] == QLatin1Char(' '))
            ++next;
        if (next >= end)
            return;
        lineStart = next;
    }
}

// The longest cut of the line (by the cutter) that fits with "..." added.
template <class Cutter>
QString Elide(const QString& line, int maxWidth, const TTextWidthFn& width, Cutter cut) {
    qsizetype low = 0, high = line.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (width(cut(line, mid)) <= maxWidth)
            low = mid;
        else
            high = mid - 1;
    }
    return cut(line, low);
}

QString ElideLine(const QString& line, unsigned format, int maxWidth, const TTextWidthFn& width) {
    if (width(line) <= maxWidth)
        return line;
    if (format & DT_PATH_ELLIPSIS) {
        return Elide(line, maxWidth, width, [](const QString& s, qsizetype keep) {
            const qsizetype head = keep / 2;
            return s.left(head) + kEllipsis + s.right(keep - head);
        });
    }
    const bool atWord = (format & DT_WORD_ELLIPSIS) != 0;
    return Elide(line, maxWidth, width, [atWord](const QString& s, qsizetype keep) {
        if (atWord && keep < s.size()) {
            const qsizetype space = s.lastIndexOf(QLatin1Char(' '), keep);
            keep = space < 0 ? 0 : space;
        }
        return s.left(keep) + kEllipsis;
    });
}

}  // namespace

TTextLayout LayOutText(const QString& source, const TRect& rect, unsigned format, int lineHeight,
                       const TTextWidthFn& width) {
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    QString text = singleLine ? WithoutLineBreaks(source) : source;
    if (format & DT_EXPANDTABS)
        text = ExpandTabs(text);
    const int underlined = (format & DT_NOPREFIX) ? -1 : StripPrefixes(text);

    std::vector<TSpan> spans;
    if (singleLine) {
        spans.push_back({0, text.size()});
    } else {
        for (TSpan paragraph : SplitParagraphs(text)) {
            if (format & DT_WORDBREAK)
                WrapParagraph(text, paragraph, rect.Width(), width, spans);
            else
                spans.push_back(paragraph);
        }
    }
    if (text.isEmpty())
        spans.clear();

    TTextLayout layout;
    const unsigned ellipsis = DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS;
    int y = rect.Top;
    if (singleLine && (format & DT_VCENTER))
        y = rect.Top + (rect.Height() - lineHeight) / 2;
    if (singleLine && (format & DT_BOTTOM))
        y = rect.Bottom - lineHeight;
    for (TSpan span : spans) {
        TTextLine line;
        line.Text = text.mid(span.Start, span.Length);
        if (format & ellipsis)
            line.Text = ElideLine(line.Text, format, rect.Width(), width);
        if (underlined >= span.Start && underlined < span.Start + span.Length)
            line.UnderlinedChar = int(underlined - span.Start);
        const int w = width(line.Text);
        layout.Width = std::max(layout.Width, w);
        line.X = rect.Left;
        if (format & DT_CENTER)
            line.X = rect.Left + (rect.Width() - w) / 2;
        else if (format & DT_RIGHT)
            line.X = rect.Right - w;
        line.Y = y;
        y += lineHeight;
        layout.Lines.push_back(std::move(line));
    }
    layout.Height = int(layout.Lines.size()) * lineHeight;
    const bool offset = singleLine && (format & (DT_VCENTER | DT_BOTTOM));
    layout.ReturnHeight = offset && !layout.Lines.empty() ? y - rect.Top : layout.Height;
    return layout;
}
