// The merge of two copies of the notes list that parted (two computers that changed their notes
// while a sync tool could not reach the other). It depends only on the two copies, gives the same
// list whichever comes first, and three copies give the same list in any order, so every computer
// writes the same file and the sync tool sees no new conflict.
//
// For each note (one Id): a form that another form of it has seen goes (an edit made on one side
// replaces the old text, once, in its place); forms neither has seen both stay (both sides changed
// it: the one case that keeps two); a form a trash record has seen goes (trashed on one side and
// left alone on the other, Trash all too), but one changed since it was trashed stays; forms with
// the same text become one. The notes keep the order of the copies: a note only one copy holds
// follows the note before it there; notes both copies added at the same place come in the order
// of their Ids.
#pragma once
#include <vector>

#include "app/Notice.h"

struct TNoteSet {
  std::vector<TNotice> Notes;  // in display order, each with an Id
  TTrash Trash;
};

TNoteSet MergeNoteSets(const TNoteSet& a, const TNoteSet& b);
