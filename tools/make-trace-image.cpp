// make-trace-image SCENE OUT: draws the outlines of the shapes of SCENE, and rings at the anchors
// of its revolute joints, that lie in the square the editor's trace image covers at its first
// scale, world (0, 0) to (4.75, 4.75), and writes the drawing to OUT as a run-length bitmap.
// Vexa's trace image, data/vexatrace.bmp, is this drawing of its default scene: the ragdoll
// standing on the floor there, with its hinges, to trace over or to rebuild one side of and
// mirror.
//
// The background is transparent so that the editor's grid shows through; programs that ignore
// the colour table's alpha show it dark grey.
#include "Editor/Bitmap.h"
#include "Physics/JointKinds.h"
#include "WorldDoc/FileReplacement.h"
#include "WorldDoc/WorldDoc.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace
{

constexpr float k_side = 4.75f;          // metres, the editor's first image scale
constexpr int k_pixelsPerMetre = 128;
constexpr int k_size = 608;              // k_side × k_pixelsPerMetre
constexpr float k_lineWidth = 3.0f / k_pixelsPerMetre;
constexpr float k_hingeRadius = 0.06f;

// Colour table indices; entries are 0xAARRGGBB.
enum Ink : unsigned char
{
    k_background,
    k_outline,
    k_hinge,
    k_border,
};
const std::vector<std::uint32_t> k_palette = {0x00202020, 0xFFFFD070, 0xFF60D0FF, 0x80A0A0A0};

struct Segment
{
    b2Vec2 a;
    b2Vec2 b;
};

struct Ring
{
    b2Vec2 centre;
    float radius;
};

float DistanceToSegment(const b2Vec2& p, const Segment& s)
{
    const b2Vec2 d = s.b - s.a;
    const float length2 = b2Dot(d, d);
    const float t = length2 > 0.0f ? std::clamp(b2Dot(p - s.a, d) / length2, 0.0f, 1.0f) : 0.0f;
    return b2Distance(p, s.a + t * d);
}

// Whether the box from `lower` to `upper` reaches into the drawing.
bool InSquare(const b2Vec2& lower, const b2Vec2& upper)
{
    return upper.x > -k_lineWidth && upper.y > -k_lineWidth && lower.x < k_side + k_lineWidth &&
           lower.y < k_side + k_lineWidth;
}

// What is drawn in one ink: the segments and rings that reach into the drawing, in world
// coordinates.
struct Strokes
{
    std::vector<Segment> segments;
    std::vector<Ring> rings;

    void polyline(const b2Transform& xf, const b2Vec2* points, int count, bool closed)
    {
        for (int i = 0; i + 1 < count + (closed ? 1 : 0); ++i)
        {
            const Segment s{b2Mul(xf, points[i]), b2Mul(xf, points[(i + 1) % count])};
            if (InSquare(b2Min(s.a, s.b), b2Max(s.a, s.b)))
            {
                segments.push_back(s);
            }
        }
    }

    void ring(const b2Vec2& centre, float radius)
    {
        const b2Vec2 extent(radius, radius);
        if (InSquare(centre - extent, centre + extent))
        {
            rings.push_back(Ring{centre, radius});
        }
    }

    void shape(const b2Transform& xf, const b2Shape* shape)
    {
        switch (shape->GetType())
        {
        case b2Shape::e_circle:
        {
            const auto* circle = static_cast<const b2CircleShape*>(shape);
            ring(b2Mul(xf, circle->m_p), circle->m_radius);
            break;
        }
        case b2Shape::e_edge:
        {
            const auto* edge = static_cast<const b2EdgeShape*>(shape);
            const b2Vec2 points[2] = {edge->m_vertex1, edge->m_vertex2};
            polyline(xf, points, 2, false);
            break;
        }
        case b2Shape::e_polygon:
        {
            const auto* polygon = static_cast<const b2PolygonShape*>(shape);
            polyline(xf, polygon->m_vertices, polygon->m_count, true);
            break;
        }
        case b2Shape::e_chain:
        {
            const auto* chain = static_cast<const b2ChainShape*>(shape);
            polyline(xf, chain->m_vertices, chain->m_count, false);
            break;
        }
        default:
            break;
        }
    }

    bool covers(const b2Vec2& p) const
    {
        const float half = 0.5f * k_lineWidth;
        return std::any_of(segments.begin(), segments.end(),
                           [&](const Segment& s) { return DistanceToSegment(p, s) < half; }) ||
               std::any_of(rings.begin(), rings.end(),
                           [&](const Ring& r) { return std::fabs(b2Distance(p, r.centre) - r.radius) < half; });
    }
};

// One colour index per pixel, bottom row first.
std::vector<unsigned char> Draw(b2World* world)
{
    Strokes outlines;
    Strokes hinges;
    for (b2Body* body = world->GetBodyList(); body != nullptr; body = body->GetNext())
    {
        for (const b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext())
        {
            outlines.shape(body->GetTransform(), f->GetShape());
        }
    }
    for (b2Joint* joint = world->GetJointList(); joint != nullptr; joint = joint->GetNext())
    {
        if (Physics::GetJointType(joint) == e_revoluteJoint)
        {
            hinges.ring(joint->GetAnchorA(), k_hingeRadius);
        }
    }
    Strokes border;
    const b2Vec2 corners[4] = {b2Vec2(0.0f, 0.0f), b2Vec2(k_side, 0.0f), b2Vec2(k_side, k_side), b2Vec2(0.0f, k_side)};
    border.polyline(b2Transform(b2Vec2_zero, b2Rot(0.0f)), corners, 4, true);

    std::vector<unsigned char> pixels(static_cast<std::size_t>(k_size) * k_size, k_background);
    for (int y = 0; y < k_size; ++y)
    {
        for (int x = 0; x < k_size; ++x)
        {
            const b2Vec2 p((x + 0.5f) / k_pixelsPerMetre, (y + 0.5f) / k_pixelsPerMetre);
            unsigned char& ink = pixels[static_cast<std::size_t>(y) * k_size + x];
            ink = hinges.covers(p) ? k_hinge : outlines.covers(p) ? k_outline : border.covers(p) ? k_border : k_background;
        }
    }
    return pixels;
}

// 8-bit run-length data: each row as runs of one index, then the end of the row; the last row
// ends the picture instead.
std::string RunLengthRows(const std::vector<unsigned char>& pixels)
{
    std::string data;
    for (int y = 0; y < k_size; ++y)
    {
        const unsigned char* row = &pixels[static_cast<std::size_t>(y) * k_size];
        for (int x = 0; x < k_size;)
        {
            int run = 1;
            while (x + run < k_size && run < 255 && row[x + run] == row[x])
            {
                ++run;
            }
            data += static_cast<char>(run);
            data += static_cast<char>(row[x]);
            x += run;
        }
        data += '\0';
        data += y + 1 < k_size ? '\0' : '\1';
    }
    return data;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || argv[1][0] == '-')
    {
        std::cerr << "usage: make-trace-image SCENE OUT\n"
                     "draws the shapes of SCENE in the square (0, 0)-(4.75, 4.75), where the editor shows\n"
                     "its trace image, and writes the drawing to OUT as a bitmap\n";
        return 2;
    }
    WorldDoc doc(false);
    std::unique_ptr<b2World> world(doc.readFromFile(argv[1]));
    if (world == nullptr)
    {
        std::cerr << "make-trace-image: could not read the scene " << argv[1] << '\n';
        return 1;
    }
    BitmapFileContents contents;
    contents.width = k_size;
    contents.height = k_size;
    contents.bitsPerPixel = 8;
    contents.compression = 1;
    contents.palette = k_palette;
    contents.pixelData = RunLengthRows(Draw(world.get()));
    if (!ReplaceFile(argv[2], BitmapFileBytes(contents)))
    {
        std::cerr << "make-trace-image: could not write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
