#include "caption.h"

#include "texts.h"

namespace quorvex {

std::u16string FileCaption(std::u16string_view title) {
  std::u16string caption(texts::kCaptionBefore);
  caption += title;
  caption += texts::kCaptionAfter;
  return caption;
}

}  // namespace quorvex
