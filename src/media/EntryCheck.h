// Will the runtime accept the pack? The check of each entry's data against its attributes, and of the names.
#pragma once

#include "media/EntryProblems.h"

#include <vector>

class TFileList;
class TFileListItem;
class TMediaStream;

// Pixels beside a keyed-out pixel whose every channel lies within this of the key colour's, or that blend the key with
// a neighbour's colour, are a fringe: the runtime keys out the exact colour only, so they show as a halo of the
// background around the shapes.
constexpr int FringeDistance = 96;

// The problems of the entry's own data and attributes (names aside), in the table's order.
std::vector<TEntryProblem> CheckEntry(TMediaStream &document, const TFileListItem &entry);
// For each position, the position of the first earlier entry with the same name and extension (ASCII letters in
// either case), or -1.
std::vector<int> EarlierOfSameName(const TFileList &list);

struct TFoundProblem {
  int Position; // zero-based
  TEntryProblem Problem;
};
// Every problem of the document, by position.
std::vector<TFoundProblem> CheckDocument(TMediaStream &document);
// Adds the same-name problem of the entry at position when earlier (from EarlierOfSameName) names an entry before it.
void AddSameNameProblem(std::vector<TEntryProblem> &problems, const std::vector<int> &earlier, int position);
