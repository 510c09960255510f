#include "ImageWrapper.h"

void ImageWrapper::Initialize() {
  if (!m_arrayImageExts.IsEmpty()) return;
  static const char* const kExts[] = {"bmp", "jpg", "jpeg", "tif", "tiff", "gif", "png", "exif", "wmf", "emf"};
  for (const char* ext : kExts) m_arrayImageExts.Add(CString(ext));
  m_arrayImageExts.Sort(true, true, TextArray::PlainText);
}

void ImageWrapper::GetSupportedExt(TextArray& arrExts) { arrExts.Add(m_arrayImageExts); }

bool ImageWrapper::IsSupportedExt(const CString& strExt) { return m_arrayImageExts.Have(strExt, false); }
