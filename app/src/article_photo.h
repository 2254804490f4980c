// An article's photo moved between a file and the database, from the Tools menu until the article
// form comes.
#pragma once

#include "app/menu.h"

namespace app {

AfterEntry load_article_photo();
AfterEntry save_article_photo();

}  // namespace app
