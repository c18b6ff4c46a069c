#pragma once

class QWidget;

// Builders of the editor's seven sub-pages: every control with its layout name, caption
// and start text, every check box unticked and every collapsible row collapsed.
namespace CreatorPages {

void buildDescriptorPage(QWidget* page);
void buildPcTimingPage(QWidget* page);
void buildVideoPage(QWidget* page);
void buildAudio1Page(QWidget* page);
void buildAudio2Page(QWidget* page);
void buildColorSpacePage(QWidget* page);
void buildOthersPage(QWidget* page);

} // namespace CreatorPages
