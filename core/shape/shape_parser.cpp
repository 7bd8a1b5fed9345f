#include "core/shape/shape_parser.h"

#include "core/shape/shape_coord.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <vector>

namespace {

enum class Word { Color1, Color2, Opt1, Opt2, Opt3, Size, Index, Extra1, Extra2 };

enum class OpKind {
    Rect,          // left, right, top, bottom; stored left, top, right, bottom
    Points,        // `value` points, x then y
    CountedPoints, // a point count n, then n points
    Int,
    Coord,
    CoordHigh, // a coordinate shifted into the high 16 bits, above what the word holds
    Flag,
    Index, // one-based, stored minus 1
    Text,
    Real,
    Set, // the word is set to `value` without an operand
};

struct Op {
    OpKind kind;
    Word word = Word::Color1;
    int value = 0;
};

struct CodeSyntax {
    const char* name;
    std::vector<Op> ops;
};

constexpr Op R{OpKind::Rect};
constexpr Op P(int n)
{
    return {OpKind::Points, Word::Color1, n};
}
constexpr Op PN{OpKind::CountedPoints};
constexpr Op I(Word w)
{
    return {OpKind::Int, w};
}
constexpr Op C(Word w)
{
    return {OpKind::Coord, w};
}
constexpr Op CH(Word w)
{
    return {OpKind::CoordHigh, w};
}
constexpr Op F(Word w)
{
    return {OpKind::Flag, w};
}
constexpr Op X(Word w)
{
    return {OpKind::Index, w};
}
constexpr Op S{OpKind::Text};
constexpr Op Re(Word w)
{
    return {OpKind::Real, w};
}
constexpr Op Set(Word w, int v)
{
    return {OpKind::Set, w, v};
}

using W = Word;

// The operands of every code in string order, with the word each lands in. The position in this table is the code.
const std::vector<CodeSyntax>& Syntax()
{
    static const std::vector<CodeSyntax> table = {
        {"B3", {R, I(W::Color1), C(W::Size), F(W::Opt2)}},
        {"BG", {R, I(W::Color1), C(W::Size), F(W::Opt2)}},
        {"BR", {R, I(W::Color1)}},
        {"BB", {R, I(W::Color1), C(W::Size), F(W::Opt2)}},
        {"RL", {R, I(W::Color1), I(W::Color2), C(W::Size), F(W::Opt1), F(W::Opt2)}},
        {"RS", {R, I(W::Color1), I(W::Color2), I(W::Extra1), C(W::Size), F(W::Opt1)}},
        {"RG", {R, I(W::Extra2), I(W::Color1), I(W::Color2), I(W::Extra1), F(W::Opt1)}},
        {"RPH", {R, I(W::Extra1), Set(W::Opt2, 1), I(W::Color1), I(W::Color2), F(W::Opt1)}},
        {"RPF", {R, I(W::Extra1), Set(W::Opt2, 0), Set(W::Opt1, 0), X(W::Color1), X(W::Color2)}},
        {"RPR", {R, I(W::Extra1), Set(W::Opt2, 0), Set(W::Opt1, 1), I(W::Color1), I(W::Color2)}},
        {"Q", {P(4), I(W::Color1), C(W::Size), I(W::Extra2)}},
        {"QS", {P(4), I(W::Color1)}},
        {"QG", {P(4), I(W::Color1), I(W::Color2), I(W::Extra1), I(W::Extra2)}},
        {"T", {R, I(W::Color1), S, X(W::Index), I(W::Extra2), F(W::Opt3)}},
        {"TS", {R, I(W::Color1), I(W::Color2), S, X(W::Index), I(W::Extra2), F(W::Opt3), C(W::Extra1), CH(W::Extra1)}},
        {"TM", {R, I(W::Color1), I(W::Color2), S, X(W::Index), I(W::Extra2), F(W::Opt3), CH(W::Extra2)}},
        {"TN", {R, I(W::Color1), I(W::Color2), S, X(W::Index), I(W::Extra2), F(W::Opt3), CH(W::Extra2)}},
        {"TT", {R, I(W::Color1), I(W::Color2), S, X(W::Index), I(W::Extra2), F(W::Opt3), CH(W::Extra2)}},
        {"TL",
         {R, I(W::Color1), I(W::Color2), S, X(W::Index), I(W::Extra2), F(W::Opt3), CH(W::Extra2), C(W::Extra1),
          CH(W::Extra1), F(W::Opt1)}},
        {"TA",
         {R, I(W::Color1), I(W::Color2), S, X(W::Index), I(W::Extra2), F(W::Opt3), CH(W::Extra2), C(W::Extra1),
          CH(W::Extra1), F(W::Opt1)}},
        {"TE",
         {R, I(W::Color1), I(W::Color2), S, X(W::Index), I(W::Extra2), F(W::Opt3), CH(W::Extra2), C(W::Extra1),
          CH(W::Extra1), F(W::Opt1)}},
        {"TG",
         {R, I(W::Color1), I(W::Color2), I(W::Extra1), S, X(W::Index), I(W::Extra2), F(W::Opt3), CH(W::Extra2),
          F(W::Opt1)}},
        {"TPH",
         {R, I(W::Extra1), Set(W::Opt2, 1), I(W::Color1), I(W::Color2), S, X(W::Index), I(W::Extra2), F(W::Opt3),
          F(W::Opt1)}},
        {"TPF",
         {R, I(W::Extra1), Set(W::Opt2, 0), Set(W::Opt1, 0), X(W::Color1), X(W::Color2), S, X(W::Index), I(W::Extra2),
          F(W::Opt3)}},
        {"TPR",
         {R, I(W::Extra1), Set(W::Opt2, 0), Set(W::Opt1, 1), I(W::Color1), I(W::Color2), S, X(W::Index), I(W::Extra2),
          F(W::Opt3)}},
        {"R", {R, I(W::Color1), I(W::Color2), C(W::Size), F(W::Opt1)}},
        {"R2", {R, I(W::Color1), I(W::Color2), C(W::Size), F(W::Opt1)}},
        {"C", {R, I(W::Color1)}},
        {"L", {P(2), I(W::Color1), C(W::Size), I(W::Extra2)}},
        {"LA", {P(4), I(W::Color1), I(W::Color2), C(W::Size), I(W::Opt1), Re(W::Extra1), Re(W::Extra2)}},
        // "TR" reads its width with the integer reader.
        {"TR", {P(3), I(W::Color1), I(W::Size), I(W::Extra2)}},
        {"TRS", {P(3), I(W::Color1)}},
        {"TRG", {P(3), I(W::Color1), I(W::Color2), I(W::Extra1)}},
        {"PL", {PN, I(W::Color1), C(W::Size), I(W::Extra2)}},
        {"PS", {PN, I(W::Color1)}},
        {"PG", {PN, I(W::Color1)}},
    };
    return table;
}

int32_t& WordOf(ShapeRecord& r, Word w)
{
    switch (w) {
    case Word::Color1:
        return r.color1;
    case Word::Color2:
        return r.color2;
    case Word::Opt1:
        return r.opt1;
    case Word::Opt2:
        return r.opt2;
    case Word::Opt3:
        return r.opt3;
    case Word::Size:
        return r.size;
    case Word::Index:
        return r.index;
    case Word::Extra1:
        return r.extra1;
    case Word::Extra2:
        break;
    }
    return r.extra2;
}

bool IsDelimiter(char c)
{
    return c == '\t' || c == ',';
}

std::vector<std::string_view> SplitTokens(std::string_view s)
{
    std::vector<std::string_view> tokens;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && IsDelimiter(s[i]))
            ++i;
        size_t begin = i;
        while (i < s.size() && !IsDelimiter(s[i]))
            ++i;
        if (i > begin)
            tokens.push_back(s.substr(begin, i - begin));
    }
    return tokens;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
        char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 32) : b[i];
        if (x != y)
            return false;
    }
    return true;
}

class TokenReader {
public:
    explicit TokenReader(const std::vector<std::string_view>& tokens) : tokens_(tokens) {}
    // The next operand, or an empty view when the string has ended.
    std::string_view Next() { return next_ < tokens_.size() ? tokens_[next_++] : std::string_view(); }

private:
    const std::vector<std::string_view>& tokens_;
    size_t next_ = 1; // token 0 is the code
};

void ReadPoints(TokenReader& in, ShapeRecord& r, int count)
{
    for (int i = 0; i < count * 2; ++i)
        r.coords.push_back(ParseShapeCoord(in.Next(), 0));
}

void RepeatFirstPoint(ShapeRecord& r)
{
    r.coords.push_back(r.coords[0]);
    r.coords.push_back(r.coords[1]);
}

// Reads the operands of `syntax`; false when the string breaks the language.
bool ReadOperands(const CodeSyntax& syntax, TokenReader& in, ShapeRecord& r)
{
    for (const Op& op : syntax.ops) {
        switch (op.kind) {
        case OpKind::Rect: {
            int32_t left = ParseShapeCoord(in.Next(), 0);
            int32_t right = ParseShapeCoord(in.Next(), 0);
            int32_t top = ParseShapeCoord(in.Next(), 0);
            int32_t bottom = ParseShapeCoord(in.Next(), 0);
            r.coords = {left, top, right, bottom};
            break;
        }
        case OpKind::Points:
            r.coords.reserve(static_cast<size_t>(op.value + 1) * 2);
            ReadPoints(in, r, op.value);
            break;
        case OpKind::CountedPoints: {
            int32_t n = ParseShapeInt(in.Next(), 0);
            if (n <= 0 || n > kMaxShapePoints)
                return false;
            r.coords.reserve(static_cast<size_t>(n + 1) * 2);
            ReadPoints(in, r, n);
            r.index = n;
            break;
        }
        case OpKind::Int:
            WordOf(r, op.word) = ParseShapeInt(in.Next(), 0);
            break;
        case OpKind::Coord:
            WordOf(r, op.word) = ParseShapeCoord(in.Next(), 0);
            break;
        case OpKind::CoordHigh: {
            uint32_t c = static_cast<uint32_t>(ParseShapeCoord(in.Next(), 0));
            int32_t& w = WordOf(r, op.word);
            w = static_cast<int32_t>(static_cast<uint32_t>(w) | (c << 16));
            break;
        }
        case OpKind::Flag:
            WordOf(r, op.word) = ParseShapeFlag(in.Next(), 0);
            break;
        case OpKind::Index:
            WordOf(r, op.word) = static_cast<int32_t>(
                std::max<int64_t>(int64_t{ParseShapeInt(in.Next(), 0)} - 1, std::numeric_limits<int32_t>::min()));
            break;
        case OpKind::Text: {
            std::string_view t = in.Next();
            if (t.empty())
                return false;
            r.text.assign(t);
            break;
        }
        case OpKind::Real:
            WordOf(r, op.word) = ShapeRealToWord(ParseShapeFloat(in.Next(), 0.0f));
            break;
        case OpKind::Set:
            WordOf(r, op.word) = op.value;
            break;
        }
    }
    return true;
}

void ClosePoints(ShapeRecord& r)
{
    switch (r.code) {
    case kShapeQ:
    case kShapeTR:
        RepeatFirstPoint(r);
        break;
    case kShapePL:
        RepeatFirstPoint(r);
        r.index += 1; // a closed outline
        break;
    case kShapePS:
    case kShapePG:
        RepeatFirstPoint(r);
        break;
    default:
        break;
    }
}

} // namespace

int ParseShape(std::string_view text, ShapeRecord& record)
{
    record = ShapeRecord{};
    text = text.substr(0, text.find('\0'));
    if (text.size() < 2)
        return -1;

    std::string work(text.substr(0, kMaxShapeTextLength));
    for (char& c : work) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    for (int i = 0; i < 2 && !work.empty() && (work.back() == '\r' || work.back() == '\n'); ++i)
        work.pop_back();

    const std::vector<std::string_view> tokens = SplitTokens(work);
    if (tokens.empty())
        return -1;

    const auto& syntax = Syntax();
    auto found = std::find_if(syntax.begin(), syntax.end(),
                              [&](const CodeSyntax& s) { return EqualsIgnoringCase(tokens[0], s.name); });
    if (found == syntax.end())
        return -1;

    ShapeRecord parsed;
    parsed.code = static_cast<uint8_t>(found - syntax.begin() + 1);
    TokenReader in(tokens);
    if (!ReadOperands(*found, in, parsed))
        return -1;
    ClosePoints(parsed);
    record = std::move(parsed);
    return 0;
}

int ParseShape(const char* text, ShapeRecord* record)
{
    if (record == nullptr)
        return -1;
    if (text == nullptr) {
        *record = ShapeRecord{};
        return -1;
    }
    return ParseShape(std::string_view(text, ::strnlen(text, kMaxShapeTextLength + 1)), *record);
}
