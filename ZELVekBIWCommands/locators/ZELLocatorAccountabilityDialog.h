#pragma once

#include <memory>
#include <unordered_map>

#include "QIVDlgDialog.h"
#include "QIVIProduct.h"

class QIVDlgCombo;
class QIVDlgEditor;
class QIVDlgFrame;
class QIVDlgLabel;
class QIVDlgMultiList;
class QIVDlgRadioButton;

// The locator accountability report: for the current product or the whole
// document, one row per locating or clamping point with its position in the
// list, its name, text, product and the activities it is assigned to,
// filtered to all, assigned, unassigned or multiply assigned locators.
class ZELLocatorAccountabilityDialog : public QIVDlgDialog {
 public:
  using List = QIVListValQIVBaseUnknown_var;

  // The filters, in the order of the combo.
  enum Option { AllLocators = 0, AssignedLocators = 1, UnAssignedLocators = 2, MultiAssignedLocators = 3 };

  // A child of the command that shows it.
  explicit ZELLocatorAccountabilityDialog(QIVCommand* command);
  ~ZELLocatorAccountabilityDialog() override;

  const char* GetImplClassName() const override { return "ZELLocatorAccountabilityDialog"; }

  void Build();
  // The product to report on: "RadioButtonSelectedProductID" is checked
  // and the report shows that product.
  void SetCurrentProduct(const QIVBaseUnknown_var& product);
  // Rebuilds the list of the report (the product's again when `changed`
  // or the product is reported on) and shows it through the chosen filter.
  void UpdateAccountabilityDisplay(bool changed);
  void ReportingOptionsForDisplay(int option);
  void DisplayOptionAllLocators();
  void DisplayOptionAssignedLocators();
  void DisplayOptionUnAssignedLocators();
  void DisplayOptionMultiAssignedLocators();
  // Adds a row for each locator of `list` that `mode` (an Option) keeps,
  // numbered by its position in the list; counts them in `shownCount`.
  void FillTable(const List& list, int mode, int& shownCount);
  // The hierarchy paths of the activities joined by ";", or "None".
  QIVUnicodeString BuildActivityPathString(const List& activities);
  // Every locating point of the document, then every clamping point.
  static std::unique_ptr<List> GetListOfAllLocatorsClamps();
  // The locating points, then the clamping points, related to the product
  // or to a product below it.
  static std::unique_ptr<List> GetListOfAllLocatorsClampsOnProduct(const QIVBaseUnknown_var& product);
  static QIVBaseUnknown_var GetOwnerProduct(const QIVBaseUnknown_var& locator);

  void WhenOneProductSelected(QIVCommand* sender, const QIVNotification& notification, void* data);
  void WhenAllProductsSelected(QIVCommand* sender, const QIVNotification& notification, void* data);
  void WhenFilterOptionSelected(QIVCommand* sender, const QIVNotification& notification, void* data);

  QIVDlgMultiList* GetMultiList() const { return _pMultiList; }
  const List* GetProductList() const { return _productList.get(); }
  const List* GetDocumentList() const { return _documentList.get(); }

 private:
  bool IsProductReported() const;
  const List* ReportedList() const;
  // Clears the table, fills it with `mode` and shows the counts under
  // `headingKey` (none for all locators).
  void Display(int mode, const char* headingKey, const char* headingDefault);

  QIVIProduct_var _currentProduct;
  std::unique_ptr<List> _productList;
  std::unique_ptr<List> _documentList;
  QIVUnicodeString _heading;
  // Activity paths met so far: an activity assigned many locators is
  // walked up to its root once.
  std::unordered_map<const QIVBaseUnknown*, QIVUnicodeString> _activityPaths;

  QIVDlgFrame* _pFrame = nullptr;
  QIVDlgRadioButton* _pRadioSelectedProduct = nullptr;
  QIVDlgRadioButton* _pRadioAllProducts = nullptr;
  QIVDlgLabel* _pLabelFilter = nullptr;
  QIVDlgCombo* _pComboFilter = nullptr;
  QIVDlgMultiList* _pMultiList = nullptr;
  QIVDlgLabel* _pLabelAvailableCount = nullptr;
  QIVDlgEditor* _pEditorLocatorCount = nullptr;
  QIVDlgLabel* _pLabelAssignedCount = nullptr;
  QIVDlgEditor* _pEditorAssignedCount = nullptr;
};
