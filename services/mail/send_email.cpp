// SENDEMAIL: the window "SendEMail" over working copies of the message, and its two ways out.
#include <unistd.h>

#include <string>
#include <vector>

#include "dane/form.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "dane/library.h"
#include "dane/settings_file.h"
#include "dane/window.h"
#include "keldox/email.h"
#include "keldox/messages.h"
#include "mail/mail.h"
#include "mail/mail_settings.h"
#include "runtime/text.h"

namespace keldox {
namespace {

constexpr std::string_view kRecipient = "ADRESAT";
constexpr std::string_view kCopy = "KOPIA";
constexpr std::string_view kSubject = "TEMAT";
constexpr std::string_view kBody = "TRESC";
constexpr std::string_view kAttachment = "ZALACZNIK";
constexpr std::string_view kChooseAttachment = "WYBIERZZALACZNIK";
constexpr std::string_view kSendSmtp = "WYSLIJ";
constexpr std::string_view kSendClient = "WYSLIJPROGRAMEM";
constexpr std::string_view kFailure = "Wiadomość e-mail nie została wysyłania ";
constexpr std::size_t kAttachmentListWidth = 1000;

enum class Way { Smtp, Client, Choose };

// The default mail client as the settings file names it (at most 100 characters), in lower case.
Way default_way() {
  const std::string name = runtime::to_lower(runtime::trim(runtime::cut_to_width(
      dane::settings_file().get_value(email_detail::kSection, email_detail::kDefaultClient), 100)));
  if (name == "outlook express") return Way::Smtp;
  if (name == "microsoft outlook") return Way::Client;
  return Way::Choose;
}

// Keeps the process's current folder whatever the sending does to it.
class FolderKept {
 public:
  FolderKept() {
    char buffer[4096];
    if (::getcwd(buffer, sizeof buffer) != nullptr) folder_ = buffer;
  }
  ~FolderKept() {
    if (!folder_.empty() && ::chdir(folder_.c_str()) != 0) {
      // Nothing to restore to: the folder went while the message was sent.
    }
  }
  FolderKept(const FolderKept&) = delete;
  FolderKept& operator=(const FolderKept&) = delete;

 private:
  std::string folder_;
};

class SendEmailWindow final : public dane::FormWindow {
 public:
  SendEmailWindow(std::string_view recipient, std::string_view subject, std::string_view attachment,
                  std::string_view body, std::string_view copy)
      : FormWindow("SendEMail") {
    add_text(kRecipient, "Do", 500, recipient);
    add_text(kCopy, "DW", 500, copy);
    add_text(kSubject, "Temat", 500, subject);
    dane::Field memo{std::string(kBody), "Treść", "@s5000", std::string(runtime::cut_to_width(body, 5000))};
    memo.kind = dane::FieldKind::Memo;
    add_field(std::move(memo));
    dane::Field file{std::string(kAttachment), "Załącznik", "@s255",
                     std::string(runtime::cut_to_width(attachment, 255))};
    file.buttons = {{std::string(kChooseAttachment), "…"}};
    add_field(std::move(file));
    toolbar().add_button(kSendSmtp, "Wyślij", "Wyślij przez serwer poczty");
    toolbar().add_button(kSendClient, "Wyślij programem pocztowym", "Przekaż do programu pocztowego");
    set_title("Wyślij e-mail");
    set_mode_titles("Wyślij e-mail", "Wyślij e-mail");
    set_closing_buttons("OK", "Zamknij", false);
    set_help_topic("SendEMail");
  }

  std::uint8_t result() const { return result_; }

 protected:
  bool initialise() override {
    if (!FormWindow::initialise()) return false;
    way_ = default_way();
    if (dane::GLO.TOOLTIPTYPE == 2) {
      for (const dane::Field& f : fields()) tooltips().add(f.name, f.label);
      tooltips().add(kChooseAttachment, "Wybierz plik załącznika");
    }
    return true;
  }

  void opened() override {
    if (way_ == Way::Smtp) send_through_server();
    if (way_ == Way::Client) send_through_client();
  }

  bool take_accepted(std::string_view control) override {
    if (runtime::same_name(control, kSendSmtp)) {
      send_through_server();
      return true;
    }
    if (runtime::same_name(control, kSendClient)) {
      send_through_client();
      return true;
    }
    return FormWindow::take_accepted(control);
  }

  void on_button(std::string_view, std::string_view control) override {
    if (runtime::same_name(control, kChooseAttachment)) choose_attachment();
  }

 private:
  void add_text(std::string_view name, std::string_view label, std::size_t width, std::string_view value) {
    add_field({std::string(name), std::string(label), "@s" + std::to_string(width),
               std::string(runtime::cut_to_width(value, width))});
  }

  // The path is kept as chosen: it reaches the sending as one argument, blanks and all, so nothing needs
  // rewriting.
  void choose_attachment() {
    dane::FileDialog dialog;
    dialog.kind = dane::FileDialog::Kind::Open;
    dialog.title = "Wybierz plik załącznika";
    dialog.initial_path = value(kAttachment);
    dialog.filters = "Wszystkie pliki|*.*";
    if (const auto chosen = dane::host().choose_file(dialog)) set_value(kAttachment, *chosen);
  }

  std::vector<std::string> attachments() const {
    const std::string path(runtime::trim(value(kAttachment)));
    if (path.empty()) return {};
    return {std::string(runtime::cut_to_width(path, kAttachmentListWidth))};
  }

  void finish(int failed, const std::string& error) {
    if (failed != 0) {
      MSG_OSTRZEZENIE(std::string(kFailure) + error);
      result_ = 0;
    } else {
      result_ = 1;
    }
    close(result_ == 1 ? dane::Response::Completed : dane::Response::Cancelled);
  }

  void send_through_server() {
    std::string error;
    int failed = 0;
    {
      FolderKept folder;
      failed = mail::SENDMAIL(email_detail::read_settings(), flag_, value(kRecipient), value(kSubject),
                              value(kBody), value(kCopy), attachments(), error);
    }
    finish(failed, error);
  }

  void send_through_client() {
    std::string error;
    const mail::Message message{value(kRecipient), value(kCopy), value(kSubject), value(kBody),
                                attachments()};
    finish(mail::open_in_mail_client(message, error), error);
  }

  Way way_ = Way::Choose;
  std::uint8_t flag_ = mail::kSendSmtp;
  std::uint8_t result_ = 0;
};

}  // namespace

std::uint8_t SENDEMAIL(std::string_view recipient, std::string_view subject, std::string_view attachment,
                       std::string_view body, std::string_view copy) {
  SendEmailWindow window(recipient, subject, attachment, body, copy);
  window.set_request(dane::Request::Change);
  dane::run_window(window);
  return window.result();
}

}  // namespace keldox
