#pragma once

#include <QApplication>

#include <cstdint>
#include <memory>
#include <string>

/// The largest client width or height that `render` and `text` accept.
inline constexpr std::uint64_t kMaxClientSide = 16384;

/// Starts the widget application the page view needs, drawing offscreen unless the
/// environment names a platform; nothing when one is running already.
std::unique_ptr<QApplication> StartQt();

/// The page name given on the command line (UTF-8) in code page 936; throws UsageError when
/// it holds a character that code page 936 cannot express.
std::string PageNameArgument(const std::string& utf8);
