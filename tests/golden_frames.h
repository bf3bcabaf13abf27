#pragma once

// Frames compared with the PNGs in tests/golden/, pixel for pixel. A frame
// that differs is written beside the build tree, with a picture of where it
// differs, so a person can look before deciding. With ZANTRELLE_UPDATE_GOLDEN
// set (scripts/golden sets it) the frame becomes the golden one instead, and
// a line says whether it changed.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "host/headless/png_reader.h"
#include "host/headless/png_writer.h"
#include "host/render/render.h"
#include "tests/image_comparison.h"

namespace test_support {

inline std::filesystem::path goldenFramePath(const std::string& name) {
    return std::filesystem::path(ZANTRELLE_GOLDEN_DIR) / name;
}

// The actual frame with every differing pixel magenta and the rest faded, so
// the differences stand out.
inline host::render::Image differenceImage(const host::render::Image& actual, const host::render::Image& golden) {
    host::render::Image marked(actual.width(), actual.height());
    const host::render::PixelView pixels = marked.view();
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const std::uint32_t pixel = actual.pixel(x, y);
            pixels.at(x, y) = pixel == golden.pixel(x, y) ? (pixel >> 2 & 0x3F3F3Fu) + 0xC0C0C0u : 0xFF00FFu;
        }
    }
    return marked;
}

inline void updateGoldenFrame(const host::render::Image& frame, const std::string& name) {
    const std::filesystem::path golden = goldenFramePath(name);
    const std::optional<host::render::Image> stored = host::headless::readPng(golden);
    const char* verdict = !stored ? "new" : compareImages(frame, *stored) ? "changed" : "unchanged";
    if (std::string(verdict) != "unchanged") {
        ASSERT_TRUE(host::headless::writePng(golden, frame)) << golden;
    }
    std::cout << "golden frame " << name << ": " << verdict << std::endl;
}

inline void expectGoldenFrame(const host::render::Image& frame, const std::string& name) {
    if (std::getenv("ZANTRELLE_UPDATE_GOLDEN")) return updateGoldenFrame(frame, name);

    const std::filesystem::path golden = goldenFramePath(name);
    const std::optional<host::render::Image> stored = host::headless::readPng(golden);
    ASSERT_TRUE(stored) << "no golden frame " << golden << ": scripts/golden makes it";
    const std::optional<ImageDifference> difference = compareImages(frame, *stored);
    if (!difference) return;

    const std::filesystem::path actualDirectory(ZANTRELLE_GOLDEN_ACTUAL_DIR);
    std::filesystem::create_directories(actualDirectory);
    const std::filesystem::path actual = actualDirectory / name;
    const std::filesystem::path marked = actualDirectory / ("difference-" + name);
    host::headless::writePng(actual, frame);
    const bool sameSize = frame.width() == stored->width() && frame.height() == stored->height();
    if (sameSize) host::headless::writePng(marked, differenceImage(frame, *stored));
    ADD_FAILURE() << name << " differs from the golden frame in " << difference->differing << " pixels, the first at ("
                  << difference->firstX << ", " << difference->firstY << ")"
                  << (sameSize ? "" : ", and in size") << ".\n  golden: " << golden.string()
                  << "\n  this frame: " << actual.string()
                  << (sameSize ? "\n  where they differ (magenta): " + marked.string() : std::string())
                  << "\nIf the change is intended, scripts/golden makes this frame the golden one.";
}

}  // namespace test_support
