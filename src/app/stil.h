#pragma once
#include <QString>

// Applies the visual style "Metropolis UI Blue" (a style sheet of ours). When the sheet cannot be
// read, an error box says so and the default look stays. Returns whether the style was applied.
bool stilAnwenden(const QString& pfad = QStringLiteral(":/zembrola/metropolis_ui_blue.qss"));
