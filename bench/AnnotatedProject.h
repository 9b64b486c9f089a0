// A generated project for the annotation benchmarks: clauses of a made-up specification, and text
// blocks and labels that show them spread over many views of the stand-in host, each holding its
// clause's XML as user data as Place Annotation writes it. Set up host-side: none of it is timed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "annotation/Annotation.h"

namespace zavhost {
class StandInHost;
}

namespace benchproject {

// Clauses in sections of ten, each with its own hiddenNumber and display title.
std::vector<zavlink::Annotation> makeClauses(size_t count);

struct Placed {
    size_t texts = 0;
    size_t labels = 0;
    int64_t xmlBytes = 0;            // the user data of every element, added up
    std::vector<std::string> xml;    // each element's user data, in placing order
    std::vector<uint32_t> viewKinds; // of the views made, the floor plan first
};

// Makes views - 1 views besides the floor plan, of every kind the collectors walk in turn (with
// windows open on the floor plan and the first four only), then
// places count elements, texts and labels by turns, round the views (the floor plan's on both
// storeys); element i shows clause i modulo the clauses.
Placed placeAnnotations(zavhost::StandInHost& host, const std::vector<zavlink::Annotation>& clauses,
                        size_t count, size_t views);

// A specification file for the stand-in Annotator holding the clauses, each changedEvery-th (from
// the first) with a new revision, so that an update finds some changed.
std::string specificationOf(const std::vector<zavlink::Annotation>& clauses, size_t changedEvery);

} // namespace benchproject
