#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Fields;
class Prompter;

// The frame every step of the adjustment window runs in: its input fields turn yellow, the user confirms
// them, the computation runs on Yes, and the highlight goes whatever happens. A failed computation
// (CalcFailure) shows the step's one failure message; fields it wrote before failing keep their texts.
class StepProtocol {
public:
    StepProtocol(Fields& fields, Prompter& prompter);

    // The message most steps show when their computation fails.
    static QString defaultFailure();

    // Returns true when the computation ran to its end.
    bool run(const QStringList& inputs, const std::function<void()>& compute,
             const QString& failureText = defaultFailure());

private:
    bool confirm();

    Fields& m_fields;
    Prompter& m_prompter;
};
