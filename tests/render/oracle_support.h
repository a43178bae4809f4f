// Running the game's renderer and the literal reference drawer on the same
// world and eye, and reading what each drew as faces.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "platform/headless/headless.h"
#include "world/geometry.h"

struct FaceRecord {
    uint32_t cell;
    int row;  // light table row: the face direction, or 6 + it for a face out of the world
    int texture;
    int level;  // the light level the face is shaded by (-1 for a face out of the world)
    bool blended;
    int alpha;  // blended faces only; 0 otherwise
    std::array<float, 12> corners;
    std::array<uint8_t, 8> uv;

    bool operator==(const FaceRecord&) const = default;
    // Spelt out, member by member: the browser build's C++ library has no <=> for arrays.
    bool operator<(const FaceRecord& o) const {
        return std::tie(cell, row, texture, level, blended, alpha, corners, uv) <
               std::tie(o.cell, o.row, o.texture, o.level, o.blended, o.alpha, o.corners, o.uv);
    }
};
std::string describe(const FaceRecord& f);

// Every lit face a frame drew, in order, as the device would show it: quads of
// cells outside the cell box dropped, the level worked out from the light
// bytes and the sky level (the darkness floor included).
std::vector<FaceRecord> litFaces(const headless::Frame& frame);
// Whether some of a face lies inside the drawing frustum of the camera as it
// stands (faces wholly outside cannot change a pixel).
bool faceMayShow(const FaceRecord& face);
std::vector<FaceRecord> showable(const std::vector<FaceRecord>& faces);

struct FrameResult {
    headless::Frame frame;
    Vec3 target;
    int newBlock;
    int polygons;
    bool digging;  // after the frame (the crack step may end a dig)
};
// One Playing frame's world part through the game's renderer ...
FrameResult drawWithRenderer();
// ... and through the reference drawer, from the same dig record.
FrameResult drawWithReference();

// Compares two frames; returns "" when they agree, else what differs.
std::string compareFrames(const FrameResult& fast, const FrameResult& literal);
