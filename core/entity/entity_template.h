#pragma once
// A drawing template of an entity model: the coordinate space, the fit, the model's own shapes, the component shapes
// and the rectangles of the child positions. Shapes and coordinates are kept as the text of the shape language; an
// empty text is no shape.

#include <array>
#include <string>
#include <vector>

// Templates per model: one per alarm severity 0..5 and display state 0..3 (3 = disabled).
inline constexpr int kTemplateSeverityCount = 6;
inline constexpr int kTemplateStateCount = 4;
inline constexpr int kTemplateCount = kTemplateSeverityCount * kTemplateStateCount;

// Fit of the template to the drawing rectangle.
inline constexpr int kTemplateFitN = 0;
inline constexpr int kTemplateFitX = 1;
inline constexpr int kTemplateFitY = 2;
inline constexpr int kTemplateFitA = 3; // also when there is no template
inline constexpr int kTemplateFitB = 4;

// Shape indexes: own shapes first, then the component shapes.
inline constexpr int kTemplateOwnShapeLimit = 192;
inline constexpr int kTemplateShapeMiss = 192;
inline constexpr int kTemplateShapeWrong = 193;
inline constexpr int kTemplateShapeDisable = 194;
inline constexpr int kTemplateShapePlan = 195;
inline constexpr int kTemplateShapeActive = 196;
inline constexpr int kTemplateShapeSlave = 197;
inline constexpr int kTemplateShapeVtp = 198;
inline constexpr int kTemplateShapeVcm = 199;
inline constexpr int kTemplateShapeTag = 200;
inline constexpr int kTemplateShapeUtg = 201;
inline constexpr int kTemplateShapeAlarm0 = 202; // + n for COMPONENTALARM n, n 0..31
inline constexpr int kTemplateComponentCount = 10 + 32;
inline constexpr int kTemplateShapeLimit = kTemplateOwnShapeLimit + kTemplateComponentCount;

// The key names of the component shapes, in the order of their shape indexes from 192 on.
const char* TemplateComponentKey(int component); // component 0..41; null outside

// The template index of (severity, state): a severity outside 0..5 counts as 0; state 99 as 2, any other state
// outside 0..3 as 0.
int TemplateIndex(int severity, int state);

struct CTemplateSize {
    int width = 0;
    int height = 0;
    bool operator==(const CTemplateSize&) const = default;
};

// Rectangle of a child position: left, top, right, bottom, each a coordinate token ("12", "@R-3", "@S*12+4").
struct CTemplateRect {
    std::array<std::string, 4> coords{"0", "0", "0", "0"};
    bool operator==(const CTemplateRect&) const = default;
};

struct CEntityTemplate {
    CTemplateSize size;
    int fit = kTemplateFitA;
    std::vector<std::string> shapes;                             // own shapes, drawing order, at most 192
    std::array<std::string, kTemplateComponentCount> components; // shape indexes 192..233
    std::vector<CTemplateRect> rects;                            // rectangle k = child position k

    int GetShapeCount() const { return static_cast<int>(shapes.size()); }
    // The shape text at a shape index 0..233; null when out of range or empty.
    const std::string* GetShape(int index) const;
    int GetRectCount() const { return static_cast<int>(rects.size()); }
    const CTemplateRect* GetRect(int index) const;
};

// Tells whether a text is a coordinate token of the shape language: a plain integer (decimal, or hexadecimal with
// "0x") or "@" followed by an anchor letter and an optional offset or scale.
bool IsShapeCoordToken(const std::string& token);
