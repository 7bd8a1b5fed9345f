#include "core/entity/entity_template.h"

#include <cctype>

namespace {

constexpr const char* kComponentKeys[10] = {"COMPONENTMISS",   "COMPONENTWRONG", "COMPONENTDISABLE", "COMPONENTPLAN",
                                            "COMPONENTACTIVE", "COMPONENTSLAVE", "COMPONENTVTP",     "COMPONENTVCM",
                                            "COMPONENTTAG",    "COMPONENTUTG"};
constexpr const char* kAlarmKeys[32] = {"COMPONENTALARM0",  "COMPONENTALARM1",  "COMPONENTALARM2",  "COMPONENTALARM3",
                                        "COMPONENTALARM4",  "COMPONENTALARM5",  "COMPONENTALARM6",  "COMPONENTALARM7",
                                        "COMPONENTALARM8",  "COMPONENTALARM9",  "COMPONENTALARM10", "COMPONENTALARM11",
                                        "COMPONENTALARM12", "COMPONENTALARM13", "COMPONENTALARM14", "COMPONENTALARM15",
                                        "COMPONENTALARM16", "COMPONENTALARM17", "COMPONENTALARM18", "COMPONENTALARM19",
                                        "COMPONENTALARM20", "COMPONENTALARM21", "COMPONENTALARM22", "COMPONENTALARM23",
                                        "COMPONENTALARM24", "COMPONENTALARM25", "COMPONENTALARM26", "COMPONENTALARM27",
                                        "COMPONENTALARM28", "COMPONENTALARM29", "COMPONENTALARM30", "COMPONENTALARM31"};

bool IsSignedInteger(const std::string& s, size_t pos)
{
    if (pos < s.size() && (s[pos] == '-' || s[pos] == '+'))
        ++pos;
    if (pos + 1 < s.size() && s[pos] == '0' && (s[pos + 1] == 'x' || s[pos + 1] == 'X')) {
        pos += 2;
        if (pos == s.size())
            return false;
        for (; pos < s.size(); ++pos) {
            if (!std::isxdigit(static_cast<unsigned char>(s[pos])))
                return false;
        }
        return true;
    }
    if (pos == s.size())
        return false;
    for (; pos < s.size(); ++pos) {
        if (!std::isdigit(static_cast<unsigned char>(s[pos])))
            return false;
    }
    return true;
}

} // namespace

const char* TemplateComponentKey(int component)
{
    if (component < 0 || component >= kTemplateComponentCount)
        return nullptr;
    return component < 10 ? kComponentKeys[component] : kAlarmKeys[component - 10];
}

int TemplateIndex(int severity, int state)
{
    if (severity < 0 || severity >= kTemplateSeverityCount)
        severity = 0;
    if (state == 99)
        state = 2; // ranks with secondary status 2
    else if (state < 0 || state >= kTemplateStateCount)
        state = 0;
    return severity * kTemplateStateCount + state;
}

const std::string* CEntityTemplate::GetShape(int index) const
{
    const std::string* shape = nullptr;
    if (index >= 0 && index < GetShapeCount())
        shape = &shapes[static_cast<size_t>(index)];
    else if (index >= kTemplateOwnShapeLimit && index < kTemplateShapeLimit)
        shape = &components[static_cast<size_t>(index - kTemplateOwnShapeLimit)];
    return shape && !shape->empty() ? shape : nullptr;
}

const CTemplateRect* CEntityTemplate::GetRect(int index) const
{
    if (index < 0 || index >= GetRectCount())
        return nullptr;
    return &rects[static_cast<size_t>(index)];
}

bool IsShapeCoordToken(const std::string& token)
{
    if (token.empty())
        return false;
    if (token[0] != '@')
        return IsSignedInteger(token, 0);
    if (token.size() == 1)
        return false;
    const char anchor = static_cast<char>(std::toupper(static_cast<unsigned char>(token[1])));
    if (std::string("LRTBCVWHS").find(anchor) == std::string::npos)
        return false;
    size_t pos = 2;
    if (anchor == 'S' && pos < token.size() && (token[pos] == '*' || token[pos] == '/')) {
        // "@S*factor" then an optional signed offset.
        ++pos;
        size_t end = pos;
        if (end + 1 < token.size() && token[end] == '0' && (token[end + 1] == 'x' || token[end + 1] == 'X')) {
            end += 2;
            while (end < token.size() && std::isxdigit(static_cast<unsigned char>(token[end])))
                ++end;
        } else {
            while (end < token.size() && std::isdigit(static_cast<unsigned char>(token[end])))
                ++end;
        }
        if (end == pos)
            return false;
        pos = end;
    }
    return pos == token.size() || ((token[pos] == '-' || token[pos] == '+') && IsSignedInteger(token, pos));
}
