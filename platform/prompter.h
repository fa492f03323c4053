// Message boxes and the input box, behind one interface so that every window's logic runs
// in tests with scripted answers.  Titles and texts are the program's own.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace taiyi {

// The icon a Yes/No question carries: a plain question, a notice, or a warning that the
// answer Yes changes or removes something.
enum class QuestionIcon { Question, Information, Warning };

class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual void Information(std::string_view title, std::string_view text) = 0;
  virtual void Warning(std::string_view title, std::string_view text) = 0;
  virtual void Error(std::string_view title, std::string_view text) = 0;
  // A plain message under the application's title.
  virtual void Message(std::string_view text) = 0;
  // Yes/No question; defaultYes chooses the button that Enter presses.  True for Yes.
  virtual bool Question(std::string_view title, std::string_view text, bool defaultYes,
                        QuestionIcon icon = QuestionIcon::Question) = 0;
  // Input box: value holds the proposed text and receives the answer.  False on cancel.
  virtual bool InputText(std::string_view title, std::string_view prompt, std::string& value) = 0;
};

// Answers from a script and remembers every box shown: for tests.
class ScriptedPrompter final : public Prompter {
 public:
  enum class Kind { Information, Warning, Error, Message, Question, Input };
  struct Shown {
    Kind kind;
    std::string title;
    std::string text;
    QuestionIcon icon = QuestionIcon::Question;  // of a question
  };

  // Answers are used in order; a question with no scripted answer takes its default button,
  // an input box with none is cancelled.
  void AnswerQuestion(bool yes) { questions_.push_back(yes); }
  void AnswerInput(std::string text) { inputs_.push_back({true, std::move(text)}); }
  void CancelInput() { inputs_.push_back({false, {}}); }

  void Information(std::string_view title, std::string_view text) override {
    shown_.push_back({Kind::Information, std::string(title), std::string(text)});
  }
  void Warning(std::string_view title, std::string_view text) override {
    shown_.push_back({Kind::Warning, std::string(title), std::string(text)});
  }
  void Error(std::string_view title, std::string_view text) override {
    shown_.push_back({Kind::Error, std::string(title), std::string(text)});
  }
  void Message(std::string_view text) override {
    shown_.push_back({Kind::Message, {}, std::string(text)});
  }
  bool Question(std::string_view title, std::string_view text, bool defaultYes,
                QuestionIcon icon = QuestionIcon::Question) override {
    shown_.push_back({Kind::Question, std::string(title), std::string(text), icon});
    if (questions_.empty()) return defaultYes;
    const bool yes = questions_.front();
    questions_.pop_front();
    return yes;
  }
  bool InputText(std::string_view title, std::string_view prompt, std::string& value) override {
    shown_.push_back({Kind::Input, std::string(title), std::string(prompt)});
    if (inputs_.empty()) return false;
    auto [ok, text] = inputs_.front();
    inputs_.pop_front();
    if (ok) value = text;
    return ok;
  }

  const std::vector<Shown>& ShownBoxes() const { return shown_; }
  // Text of the last box shown, or empty.
  std::string LastText() const { return shown_.empty() ? std::string() : shown_.back().text; }

 private:
  std::deque<bool> questions_;
  std::deque<std::pair<bool, std::string>> inputs_;
  std::vector<Shown> shown_;
};

}  // namespace taiyi
