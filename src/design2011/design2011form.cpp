#include "design2011/design2011form.h"

Design2011Form::Design2011Form(Fields& fields, Prompter& prompter) : m_fields(fields), m_prompter(prompter) {}
void Design2011Form::load(const QDate&) {}
bool Design2011Form::calculate() { return false; }
void Design2011Form::gradeChanged() {}
void Design2011Form::sigmaSourceChanged() {}
void Design2011Form::cementClassChanged() {}
void Design2011Form::flyAshChanged() {}
void Design2011Form::slagChanged() {}
void Design2011Form::maxSizeChanged() {}
void Design2011Form::environmentChanged() {}
bool Design2011Form::sigmaEditable() const { return false; }
bool Design2011Form::volumeMethod() const { return false; }
