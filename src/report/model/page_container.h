#pragma once
// TPapir: the page container. Holds every section in IndexOdd order (the main
// plan's seven, seven per additional plan, four per group) and every element,
// with typed sub-lists of the field value, variable and function elements.

#include <QList>
#include <memory>
#include <vector>

#include "report/model/section.h"

namespace dorvana {

class TPapir {
public:
    // A container with the main plan's seven sections.
    TPapir();

    int sectionCount() const { return int(sections_.size()); }
    // Section by IndexOdd; null outside the range.
    TOddil* section(int indexOdd) const;
    const std::vector<std::unique_ptr<TOddil>>& sections() const { return sections_; }
    int additionalPlanCount() const { return plans_; }
    int groupCount() const { return groups_; }
    // Section `offset` of plan p (0 = main plan, 1.. additional plans); null when none.
    TOddil* planSection(int p, int offset) const;
    // Section `offset` of group g (0-based); null when none.
    TOddil* groupSection(int g, int offset) const;

    // The IndexOdd of a plan's or group's section with m additional plans.
    static int planSectionIndex(int p, int offset) { return p == 0 ? offset : 7 * p + offset; }
    static int groupSectionIndex(int m, int g, int offset) { return 7 + 7 * m + 4 * g + offset; }
    // The caption of the section at IndexOdd i with m additional plans.
    static QString sectionCaption(int i, int m);

    // Adds the element to the section (at position, or at the end), to the list
    // of all elements and to its typed sub-list; returns it.
    TSesPrvek* registerElement(TOddil* section, std::unique_ptr<TSesPrvek> element,
                               int position = -1);
    // Removes the element everywhere and hands it back (null when not registered).
    std::unique_ptr<TSesPrvek> unregisterElement(TSesPrvek* element);
    // Removes and frees every element of the section.
    void clearSection(TOddil* section);
    // The section that owns the element; null when none.
    TOddil* sectionOf(const TSesPrvek* element) const;

    const QList<TSesPrvek*>& allElements() const { return all_; }
    const QList<TSesPrvek*>& fieldValueElements() const { return fieldValues_; }
    const QList<TSesPrvek*>& variableElements() const { return variables_; }
    const QList<TSesPrvek*>& functionElements() const { return functions_; }

    // A group's four sections, appended after the last group's.
    void addGroupSections();
    // Removes group g's sections with their elements; later groups move up.
    void removeGroupSections(int g);
    // An additional plan's seven sections, after the last plan's; groups move down.
    void addPlanSections();
    // Removes additional plan p's (1-based) sections with their elements.
    void removePlanSections(int p);

    // Sections top to bottom as the designer shows them.
    QList<TOddil*> displayOrder() const;

private:
    // IndexOdd, captions and the elements' section index from section `from` on.
    void renumber(int from = 0);
    // Asserts the numbering of sections and elements (builds with assertions).
    void checkNumbering() const;
    QList<TSesPrvek*>* typedList(int type);
    void forget(TSesPrvek* element);
    std::vector<std::unique_ptr<TOddil>> sections_;
    int plans_ = 0;
    int groups_ = 0;
    QList<TSesPrvek*> all_, fieldValues_, variables_, functions_;
};

}  // namespace dorvana
