#pragma once

#include <QValidator>
#include <cstddef>

namespace zq {

// Limits an edit to a number of bytes of the text's CP949 form, as the tag
// and the console count them: a Korean character takes two of them.
class ByteLimitValidator : public QValidator {
  Q_OBJECT

 public:
  ByteLimitValidator(std::size_t maxBytes, QObject* parent);

  State validate(QString& input, int& position) const override;

 private:
  std::size_t maxBytes_;
};

}  // namespace zq
