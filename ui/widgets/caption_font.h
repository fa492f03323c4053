// The case tree's captions shown whole and lined up: a font in which a Chinese character is
// exactly as wide as two Latin ones (the captions pad names to eight such columns), the tree
// scrolling sideways when a caption is wider than the tree, and a tree width that shows a
// whole caption.
#pragma once

#include <QString>

class QTreeView;

namespace taiyi {

// The first installed font with Chinese characters two columns wide, else the system's
// fixed-pitch font.
QString CaptionFontFamily();

// The tree takes the caption font (keeping its size) and scrolls sideways for long captions.
void SetCaseCaptionFont(QTreeView& tree);

// The width of the tree that shows the caption of a lunar leap-month case under its category
// without scrolling, in the tree's current font.
int CaseTreeWidthForCaptions(const QTreeView& tree);

}  // namespace taiyi
