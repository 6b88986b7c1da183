#include "mp3/ui/byte_limit_validator.h"

#include "mp3/basket_names.h"

namespace zq {

ByteLimitValidator::ByteLimitValidator(std::size_t maxBytes, QObject* parent)
    : QValidator(parent), maxBytes_(maxBytes) {}

QValidator::State ByteLimitValidator::validate(QString& input, int& /*position*/) const {
  return ToCp949(input.toStdString()).size() <= maxBytes_ ? Acceptable : Invalid;
}

}  // namespace zq
